#include "steps/system/win/map_records.h"

#include <windows.h>

#include <vector>

#include "platform/win/scoped_resource.h"
#include "steps/system/core/drive_map.h"
#include "steps/registry/win/registry_writer.h"

namespace vorlan::steps {

std::optional<std::wstring> MapRecords::Read(wchar_t letter) const {
  OS::ScopedRegKey key;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.Receive()) != ERROR_SUCCESS)
    return std::nullopt;
  const std::wstring name = DriveName(letter);
  DWORD type = 0, bytes = 0;
  if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ)
    return std::nullopt;
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(text.data());
}

long MapRecords::Write(wchar_t letter, const std::wstring& target) {
  const DWORD bytes = static_cast<DWORD>((target.size() + 1) * sizeof(wchar_t));
  return WriteRegistryValue(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY, DriveName(letter), REG_SZ, target.c_str(),
                            bytes);
}

long MapRecords::Remove(wchar_t letter) {
  OS::ScopedRegKey key;
  LONG rc = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, key.Receive());
  if (rc == ERROR_FILE_NOT_FOUND) return 0;
  if (rc == ERROR_SUCCESS) rc = ::RegDeleteValueW(key.Get(), DriveName(letter).c_str());
  return rc == ERROR_FILE_NOT_FOUND ? 0 : rc;
}

}  // namespace vorlan::steps
