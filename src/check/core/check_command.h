#pragma once
// The command line of vorlan-check: one game folder, or every game folder
// below a folder, checked; findings and a summary printed.

#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "check/core/folder_access.h"

namespace vorlan::check {

using FolderOpener = std::function<std::unique_ptr<FolderAccess>(const std::filesystem::path& folder)>;
using LineSink = std::function<void(const std::wstring& line)>;

// The game folders at or below `root`: `root` itself when it holds the
// option file, otherwise every folder below it that does, in name order.
std::vector<std::filesystem::path> FindGameFolders(const std::filesystem::path& root);

// Runs "vorlan-check <folder>..." and returns the exit code (0 clean,
// 1 warnings, 2 errors, 3 wrong usage).
int RunCheckCommand(std::span<const std::wstring> args, const FolderOpener& open, const LineSink& out);

}  // namespace vorlan::check
