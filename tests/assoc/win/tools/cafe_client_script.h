#pragma once
// The folder through which a test scripts the café-client stand-ins and reads
// what they were given: named by the environment variable
// VORLAN_FAKE_CAFE_CLIENT_DIR (the stand-ins run inside the test's process).
// Files are UTF-8.

#include <windows.h>

#include <string>

namespace cafe {

inline std::wstring ScriptDir() {
  wchar_t dir[MAX_PATH] = {};
  DWORD n = ::GetEnvironmentVariableW(L"VORLAN_FAKE_CAFE_CLIENT_DIR", dir, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(dir) : std::wstring();
}

inline std::wstring ScriptFile(const std::wstring& name) { return ScriptDir() + L"\\" + name; }

inline bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(h);
  return true;
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes, bool append) {
  HANDLE h = ::CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           append ? OPEN_ALWAYS : CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD put = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  ::CloseHandle(h);
}

inline std::string ToCodePage(UINT cp, const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = ::WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) ::WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

inline std::wstring FromCodePage(UINT cp, const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = ::MultiByteToWideChar(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) ::MultiByteToWideChar(cp, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace cafe
