#pragma once
// A short name for a path, the same for every spelling of it (letter case,
// forward or back slashes, trailing backslashes): 16 hexadecimal digits.
// For names of objects and files that stand for a path but cannot hold it.

#include <string>
#include <string_view>

namespace vorlan {

std::wstring PathHashHex(std::wstring_view path);

}  // namespace vorlan
