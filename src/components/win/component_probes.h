#pragma once
// The machine facts the component checks and the installer look at.

#include <windows.h>

#include <string>

namespace components {

// The key opens under HKEY_LOCAL_MACHINE with this access.
bool LocalMachineKeyExists(const std::wstring& path, REGSAM access);

struct FileLookup {
  bool found = false;
  DWORD error = 0;  // system error code when not found
};
// Looks a file name up; wildcards are allowed.
FileLookup LookUpFile(const std::wstring& name);

// The Windows directory; empty when it cannot be read.
std::wstring WindowsDirectory();

// Deletes the key (and its subkeys) under HKEY_CLASSES_ROOT.
void DeleteClassesRootKey(const std::wstring& key);

}  // namespace components
