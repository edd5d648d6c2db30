#include "platform/win/module_path.h"

#include "platform/core/path_join.h"

namespace OS {

std::wstring GetModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameW(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  return std::wstring(path, n);
}

std::wstring GetProgramDirectory() { return vorlan::DirectoryOf(GetModulePath()); }

}  // namespace OS
