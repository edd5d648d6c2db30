#pragma once
// The checks of one game folder: its VorlanCfg.ini and the files it names
// (the component catalogue, the select file), without changing anything.

#include <string>
#include <vector>

#include "check/core/finding.h"
#include "check/core/folder_access.h"

namespace vorlan::check {

// Files larger than this are not checked.
inline constexpr std::size_t kMaxOptionFileBytes = 16u * 1024 * 1024;

std::vector<Finding> CheckGameFolder(const FolderAccess& folder);

}  // namespace vorlan::check
