#pragma once
#include <string>

namespace vorlan::steps {

// The path names an existing file (not a folder).
bool IsExistingFile(const std::wstring& path);

}  // namespace vorlan::steps
