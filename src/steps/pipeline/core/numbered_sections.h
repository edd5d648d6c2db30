#pragma once
// The numbered-section pattern of the step sections: [<Step>] "Num" counts
// the entries [<Step>0] .. [<Step><Num-1>], each skipped on the PC whose OS
// code equals its "SkipOS".

#include <string>
#include <string_view>

namespace vorlan {

// "<base><index>", formed with "%s%d" ("Copy", 2 -> "Copy2").
std::wstring EntrySectionName(std::wstring_view base, int index);

// The entry is skipped on this PC: its "SkipOS" (0 never matches) equals the
// PC's OS code.
bool IsSkippedOn(int skipOs, int osCode);

}  // namespace vorlan
