#pragma once
// Move-only owners for Windows handles. Each kind of handle gets a traits
// struct (its null value, its validity test, how to close it); the owner
// closes it exactly once and keeps the thread's last-error value intact while
// doing so, so a failure can still be reported after the cleanup ran.

#include <windows.h>

#include <utility>

namespace OS {

template <class Traits>
class ScopedResource {
 public:
  using Handle = typename Traits::Handle;

  ScopedResource() = default;
  explicit ScopedResource(Handle h) : h_(h) {}
  ~ScopedResource() { Close(); }

  ScopedResource(ScopedResource&& other) noexcept : h_(other.Take()) {}
  ScopedResource& operator=(ScopedResource&& other) noexcept {
    if (this != &other) Reset(other.Take());
    return *this;
  }
  ScopedResource(const ScopedResource&) = delete;
  ScopedResource& operator=(const ScopedResource&) = delete;

  Handle Get() const { return h_; }
  bool IsValid() const { return Traits::IsValid(h_); }
  explicit operator bool() const { return IsValid(); }

  // Gives up ownership.
  Handle Take() { return std::exchange(h_, Traits::Null()); }

  void Reset(Handle h = Traits::Null()) {
    Close();
    h_ = h;
  }

  void Close() {
    if (Traits::IsValid(h_)) {
      DWORD error = ::GetLastError();
      Traits::Close(h_);
      ::SetLastError(error);
    }
    h_ = Traits::Null();
  }

  // For APIs that return the handle through an out-parameter.
  Handle* Receive() {
    Close();
    return &h_;
  }

 private:
  Handle h_ = Traits::Null();
};

struct HandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Null() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};

struct LibraryTraits {
  using Handle = HMODULE;
  static Handle Null() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};

struct MappedViewTraits {
  using Handle = void*;
  static Handle Null() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::UnmapViewOfFile(h); }
};

struct ServiceHandleTraits {
  using Handle = SC_HANDLE;
  static Handle Null() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::CloseServiceHandle(h); }
};

// Kernel objects: files, processes, threads, events, mutexes, mappings, snapshots.
using ScopedHandle = ScopedResource<HandleTraits>;
using ScopedFindHandle = ScopedResource<FindHandleTraits>;
using ScopedRegKey = ScopedResource<RegKeyTraits>;
using ScopedLibrary = ScopedResource<LibraryTraits>;
using ScopedMappedView = ScopedResource<MappedViewTraits>;
// The service manager and the services it opens.
using ScopedServiceHandle = ScopedResource<ServiceHandleTraits>;

}  // namespace OS
