#pragma once
// The operating-system filter of the option file ([WindowsCfg] "OsCfg").

#include <string_view>
#include <vector>

namespace vorlan {

// "OsCfg": comma-separated codes. Each piece is read as a decimal number the
// way atoi reads it (non-numeric or empty pieces give 0), in order.
std::vector<int> ParseOsCfg(std::wstring_view text);

// Whether a game whose "OsCfg" is `text` runs on this system. Empty: every
// system. An entry 0 means every system; on code 7 the entries 7 (32-bit
// Windows) and 8 (64-bit Windows) decide; otherwise an entry equal to the
// code.
bool IsOsSupportedBy(std::wstring_view text, int osCode, bool is64BitOs);

}  // namespace vorlan
