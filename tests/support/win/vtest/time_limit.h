#pragma once
// The tests' waiting limits, multiplied by VORLAN_TEST_TIMEOUT_SCALE when
// CTest sets it (the emulated machine of scripts/win32-host runs every
// program several times slower than a host does).

#include <windows.h>

#include <cwchar>

namespace vtest {

inline ULONGLONG DeadlineAfter(ULONGLONG limitMs) {
  static const ULONGLONG scale = [] {
    wchar_t text[16] = {};
    const DWORD n = ::GetEnvironmentVariableW(L"VORLAN_TEST_TIMEOUT_SCALE", text, 16);
    const unsigned long value = (n > 0 && n < 16) ? std::wcstoul(text, nullptr, 10) : 0;
    return static_cast<ULONGLONG>(value >= 1 && value <= 20 ? value : 1);
  }();
  return ::GetTickCount64() + limitMs * scale;
}

}  // namespace vtest
