#include "components/win/component_probes.h"

#include <windows.h>

#include "platform/win/scoped_resource.h"
#include "platform/win/system_functions.h"

namespace components {

bool LocalMachineKeyExists(const std::wstring& path, REGSAM access) {
  OS::ScopedRegKey key;
  return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, key.Receive()) == ERROR_SUCCESS;
}

FileLookup LookUpFile(const std::wstring& name) {
  FileLookup lookup;
  WIN32_FIND_DATAW data;
  OS::ScopedFindHandle find(::FindFirstFileW(name.c_str(), &data));
  if (find.IsValid()) {
    lookup.found = true;
  } else {
    lookup.error = ::GetLastError();
  }
  return lookup;
}

std::wstring WindowsDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = ::GetWindowsDirectoryW(buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  return std::wstring(buffer, n);
}

void DeleteClassesRootKey(const std::wstring& key) {
  // A name of nothing but separators would name the whole hive.
  if (key.find_first_not_of(L"\\/ ") == std::wstring::npos) return;
  OS::late::SHDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
}

}  // namespace components
