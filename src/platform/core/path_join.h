#pragma once
#include <string>
#include <string_view>

namespace vorlan {

// Joins a folder and a relative tail: the base without its trailing
// backslashes, exactly one backslash, then the tail without its leading
// backslashes. An empty base leaves the tail unchanged.
//   PathJoin(L"C:\\Windows", L"\\Fonts") == L"C:\\Windows\\Fonts"
//   PathJoin(L"C:\\Windows", L"")        == L"C:\\Windows\\"
std::wstring PathJoin(std::wstring_view base, std::wstring_view tail);

// The folder part of a path: everything before its last backslash; empty
// when the path holds no backslash.
std::wstring DirectoryOf(std::wstring_view path);

// The file name of a path without folder and extension: the text after the
// last backslash, cut at its last dot ("C:\\g\\Game.Launcher.exe" gives
// "Game.Launcher"; a name without a dot is kept whole).
std::wstring ModuleNameOf(std::wstring_view path);

// The path without the backslashes at its end ("C:\\" gives "C:").
std::wstring WithoutTrailingBackslashes(std::wstring_view path);

// Whether `path` names `folder` itself or something below it. Both are full
// paths in the same letter case (the caller's job: the rule compares as
// written); trailing backslashes do not count, and "C:\Games2" is not below
// "C:\Games". An empty folder contains nothing.
bool IsSameOrBelow(std::wstring_view path, std::wstring_view folder);

}  // namespace vorlan
