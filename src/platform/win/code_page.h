#pragma once
#include <string>
#include <string_view>

namespace OS {

// Wide text to the calling thread's ANSI code page; characters the code page
// cannot hold become the system's default replacement. Empty on failure.
std::string ToThreadAnsi(std::wstring_view text);

// ANSI text of the calling thread's code page to wide text.
std::wstring FromThreadAnsi(std::string_view text);

// The same conversions for the system (not thread) ANSI code page.
std::string ToSystemAnsi(std::wstring_view text);
std::wstring FromSystemAnsi(std::string_view text);

}  // namespace OS
