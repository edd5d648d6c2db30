#pragma once
#include <string>
#include <string_view>

namespace vorlan::pkgreg {

// The placeholder for the game's directory inside string values.
inline constexpr std::wstring_view kInstallDirMacro = L"%InstallDir%";

// Puts `installDir`, without its trailing backslashes, in place of every
// "%InstallDir%" in `text`: exact, case-sensitive spelling, searched left to
// right, each search going on after the inserted text.
std::wstring ReplaceInstallDir(std::wstring_view text, std::wstring_view installDir);

}  // namespace vorlan::pkgreg
