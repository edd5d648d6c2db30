#include "pkg_reg_win_support.h"

#include <gtest/gtest.h>

#include "vtest/files.h"

namespace pkgreg_test {

CPkgRegEntry AnsiEntry(std::uint8_t flag, std::uint32_t type, const std::wstring& name, const std::string& data) {
  const std::string ansiName = vtest::ToAnsi(name);
  return CPkgRegEntry(flag, type, Bytes(ansiName.begin(), ansiName.end()), Bytes(data.begin(), data.end()));
}

void WritePkgRegFile(const std::wstring& path, std::vector<CPkgRegEntry> entries) {
  CPkgReg reg(std::move(entries));
  const auto bytes = reg.ToFileBytes();
  ASSERT_TRUE(bytes.has_value());
  ASSERT_TRUE(vtest::WriteBytes(path, std::string(bytes->begin(), bytes->end())));
}

std::optional<RawValue> ReadRawValue(HKEY root, const std::wstring& key, const std::wstring& name) {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
  RawValue value;
  DWORD size = 0;
  LONG rc = ::RegQueryValueExW(k, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (rc == ERROR_SUCCESS) {
    value.bytes.resize(size);
    rc = ::RegQueryValueExW(k, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    value.bytes.resize(size);
  }
  ::RegCloseKey(k);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  return value;
}

std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& key) {
  std::vector<std::wstring> names;
  HKEY k = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD length = 512;
    if (::RegEnumValueW(k, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  ::RegCloseKey(k);
  return names;
}

}  // namespace pkgreg_test
