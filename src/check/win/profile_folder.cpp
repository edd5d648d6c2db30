#include "check/win/profile_folder.h"

#include <windows.h>

#include "platform/win/ini_file.h"

namespace vorlan::check {

std::optional<std::wstring> ProfileFolder::ReadValue(const std::wstring& relative, const std::wstring& section,
                                                     const std::wstring& key) const {
  const OS::IniFile file(std::filesystem::absolute(PathOf(relative)).wstring());
  return file.ReadString(section, key);
}

std::optional<std::wstring> ProfileFolder::DecodeAnsi(std::string_view bytes) const {
  if (bytes.empty()) return std::wstring();
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

}  // namespace vorlan::check
