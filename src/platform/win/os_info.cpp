#include "platform/win/os_info.h"

#include <windows.h>

#include "platform/core/os_code.h"

namespace OS {

const WindowsVersion& GetWindowsVersion() {
  static const WindowsVersion version = [] {
    WindowsVersion v;
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
      v.major = info.dwMajorVersion;
      v.minor = info.dwMinorVersion;
      v.workstation = info.wProductType == VER_NT_WORKSTATION;
    }
    return v;
  }();
  return version;
}

int GetOsCode() {
  static const int code = [] {
    const WindowsVersion& v = GetWindowsVersion();
    return vorlan::OsCodeFor(v.major, v.minor, v.workstation);
  }();
  return code;
}

bool Is64BitOs() {
  static const bool is64 = [] {
    using Fn = UINT(WINAPI*)(LPWSTR, UINT);
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    auto fn = kernel ? reinterpret_cast<Fn>(::GetProcAddress(kernel, "GetSystemWow64DirectoryW")) : nullptr;
    if (!fn) return false;
    wchar_t dir[MAX_PATH] = {};
    if (fn(dir, MAX_PATH) != 0) return true;
    return ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
  }();
  return is64;
}

bool IsWindows7() {
  const WindowsVersion& v = GetWindowsVersion();
  return v.major == 6 && v.minor == 1;
}

}  // namespace OS
