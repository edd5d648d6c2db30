#include "platform/win/ini_file.h"

#include <windows.h>

#include <vector>

namespace OS {

void IniFile::ReadString(const std::wstring& section, const std::wstring& key, std::wstring& out,
                         unsigned maxChars) const {
  std::vector<wchar_t> buffer(maxChars + 1, L'\0');
  DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), ReadPath().c_str());
  if (n > 0) out.assign(buffer.data(), n);
}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key, unsigned maxChars) const {
  std::wstring value;
  ReadString(section, key, value, maxChars);
  return value;
}

int IniFile::ReadInt(const std::wstring& section, const std::wstring& key, int defaultValue) const {
  return static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, ReadPath().c_str()));
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
  if (!copyPath_.empty()) ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), copyPath_.c_str());
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

bool IniFile::ReadFromCopy(const std::wstring& copyPath) {
  if (!::CopyFileW(path_.c_str(), copyPath.c_str(), FALSE)) return false;
  ::SetFileAttributesW(copyPath.c_str(), FILE_ATTRIBUTE_NORMAL);
  copyPath_ = copyPath;
  return true;
}

bool IniFile::WriteInt(const std::wstring& section, const std::wstring& key, int value) const {
  return WriteString(section, key, std::to_wstring(value));
}

}  // namespace OS
