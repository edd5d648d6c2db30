#include "steps/programs/win/existing_file.h"

#include <windows.h>

namespace vorlan::steps {

bool IsExistingFile(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace vorlan::steps
