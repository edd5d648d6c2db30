#pragma once
// Whether the café client software is recent enough to answer for the game
// menu.

#include <string_view>

namespace vorlan::assoc {

// The version's first two numbers decide: "8.1.0" and "10.0.0" are newer
// than 8.0, "8.0.9999" is not. The text needs two dots: "8.1" is not newer.
// Each number is read as C atoi reads it (leading blanks, a sign, digits up
// to the first other character, clamped to the int range). Major and minor
// form major * 2^32 + minor in 64 bits, both sign-extended; the version is
// newer when that sum, taken as unsigned, exceeds 8 * 2^32.
bool IsClientNewerThan8(std::string_view version);

// atoi with the Microsoft C runtime's clamping on overflow.
int AsciiToInt(std::string_view text);

}  // namespace vorlan::assoc
