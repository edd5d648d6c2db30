#include "platform/win/system_functions.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

namespace OS::late {
namespace {

// The address of `name` in the system library `library`, which is loaded
// from the system folder (never from the program's or the current folder).
// nullptr, with the error left in GetLastError, when either is missing.
FARPROC Find(const wchar_t* library, const char* name) {
  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path(system, length);
  if (path.back() != L'\\') path += L'\\';
  path += library;
  // Kept loaded: the function may be called again, from any thread.
  const HMODULE module = ::LoadLibraryW(path.c_str());
  return module ? ::GetProcAddress(module, name) : nullptr;
}

template <typename Function>
struct Found {
  Function* call = nullptr;
  DWORD error = ERROR_SUCCESS;  // why `call` is missing
};

// Looked up once per function, on its first call, whatever the thread.
template <typename Function>
Found<Function> Lookup(const wchar_t* library, const char* name) {
  Found<Function> found;
  found.call = reinterpret_cast<Function*>(reinterpret_cast<void*>(Find(library, name)));
  if (!found.call) {
    found.error = ::GetLastError();
    if (found.error == ERROR_SUCCESS) found.error = ERROR_PROC_NOT_FOUND;
  }
  return found;
}

}  // namespace

HINSTANCE ShellExecuteW(HWND window, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                        const wchar_t* directory, int show) {
  static const auto found = Lookup<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!found.call) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  return found.call(window, verb, file, parameters, directory, show);
}

HRESULT SHGetFolderPathW(HWND window, int csidl, HANDLE token, DWORD flags, wchar_t* path) {
  static const auto found = Lookup<decltype(::SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
  if (!found.call) return HRESULT_FROM_WIN32(found.error);
  return found.call(window, csidl, token, flags, path);
}

LSTATUS SHDeleteKeyW(HKEY key, const wchar_t* subKey) {
  static const auto found = Lookup<decltype(::SHDeleteKeyW)>(L"shlwapi.dll", "SHDeleteKeyW");
  if (!found.call) return static_cast<LSTATUS>(found.error);
  return found.call(key, subKey);
}

BSTR SysAllocStringLen(const wchar_t* text, UINT length) {
  static const auto found = Lookup<decltype(::SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  return found.call ? found.call(text, length) : nullptr;
}

UINT SysStringLen(BSTR text) {
  static const auto found = Lookup<decltype(::SysStringLen)>(L"oleaut32.dll", "SysStringLen");
  return found.call ? found.call(text) : 0;
}

HRESULT VariantChangeType(VARIANT* destination, VARIANT* source, USHORT flags, VARTYPE type) {
  static const auto found = Lookup<decltype(::VariantChangeType)>(L"oleaut32.dll", "VariantChangeType");
  if (!found.call) return HRESULT_FROM_WIN32(found.error);
  return found.call(destination, source, flags, type);
}

HRESULT VariantClear(VARIANT* variant) {
  static const auto found = Lookup<decltype(::VariantClear)>(L"oleaut32.dll", "VariantClear");
  if (!found.call) return HRESULT_FROM_WIN32(found.error);
  return found.call(variant);
}

DWORD WNetAddConnection2W(NETRESOURCEW* resource, const wchar_t* password, const wchar_t* user, DWORD flags) {
  static const auto found = Lookup<decltype(::WNetAddConnection2W)>(L"mpr.dll", "WNetAddConnection2W");
  if (!found.call) return found.error;
  return found.call(resource, password, user, flags);
}

DWORD WNetCancelConnection2W(const wchar_t* name, DWORD flags, BOOL force) {
  static const auto found = Lookup<decltype(::WNetCancelConnection2W)>(L"mpr.dll", "WNetCancelConnection2W");
  if (!found.call) return found.error;
  return found.call(name, flags, force);
}

DWORD WNetGetConnectionW(const wchar_t* local, wchar_t* remote, DWORD* length) {
  static const auto found = Lookup<decltype(::WNetGetConnectionW)>(L"mpr.dll", "WNetGetConnectionW");
  if (!found.call) return found.error;
  return found.call(local, remote, length);
}

}  // namespace OS::late
