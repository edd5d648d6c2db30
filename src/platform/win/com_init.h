#pragma once
// COM initialised for the calling thread for the life of the object, and
// uninitialised again exactly when the initialisation succeeded (also when
// the thread had it already in the same model: every success is paired).

#include <windows.h>
#include <objbase.h>

namespace OS {

class ScopedComInit {
 public:
  explicit ScopedComInit(DWORD model) : result_(::CoInitializeEx(nullptr, model)) {}
  ~ScopedComInit() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;

  bool Succeeded() const { return SUCCEEDED(result_); }
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

}  // namespace OS
