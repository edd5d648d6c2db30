#include "vtest/registry.h"

namespace vtest {
namespace {
REGSAM Sam(REGSAM access, RegView view) {
  if (view == RegView::Wow32) return access | KEY_WOW64_32KEY;
  if (view == RegView::Wow64) return access | KEY_WOW64_64KEY;
  return access;
}
}  // namespace

std::optional<DWORD> ReadDword(HKEY root, const std::wstring& key, const std::wstring& name, RegView view) {
  DWORD data = 0, size = sizeof(data), type = 0;
  HKEY k = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, Sam(KEY_READ, view), &k) != ERROR_SUCCESS) return std::nullopt;
  LONG rc = ::RegQueryValueExW(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  ::RegCloseKey(k);
  if (rc != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return data;
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const std::wstring& name, RegView view) {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, Sam(KEY_READ, view), &k) != ERROR_SUCCESS) return std::nullopt;
  wchar_t data[4096] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t), type = 0;
  LONG rc = ::RegQueryValueExW(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  ::RegCloseKey(k);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return std::wstring(data);
}

bool WriteDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value, RegView view) {
  HKEY k = nullptr;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, Sam(KEY_ALL_ACCESS, view), nullptr, &k, nullptr) != ERROR_SUCCESS)
    return false;
  LONG rc = ::RegSetValueExW(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  ::RegCloseKey(k);
  return rc == ERROR_SUCCESS;
}

bool WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value,
                 RegView view) {
  HKEY k = nullptr;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, Sam(KEY_ALL_ACCESS, view), nullptr, &k, nullptr) != ERROR_SUCCESS)
    return false;
  LONG rc = ::RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(k);
  return rc == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::wstring& key, RegView view) {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, Sam(KEY_READ, view), &k) != ERROR_SUCCESS) return false;
  ::RegCloseKey(k);
  return true;
}

void DeleteTree(HKEY root, const std::wstring& key, RegView view) {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, Sam(KEY_ALL_ACCESS, view), &k) == ERROR_SUCCESS) {
    ::RegDeleteTreeW(k, nullptr);
    ::RegCloseKey(k);
  }
  ::RegDeleteKeyExW(root, key.c_str(), Sam(0, view), 0);
}

void DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name, RegView view) {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, Sam(KEY_ALL_ACCESS, view), &k) != ERROR_SUCCESS) return;
  ::RegDeleteValueW(k, name.c_str());
  ::RegCloseKey(k);
}

}  // namespace vtest
