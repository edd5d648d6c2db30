#pragma once
// The install mark of a component ([install] <component> in the catalogue):
// what the check does with the component.
//
//   0 (and any value not listed)  no check, never counted as missing
//   1                             checked by its "type"
//   2                             always counted as missing (installed on
//                                 every preparation)
//   3                             always counted as installed

#include <cstdint>

namespace vorlan {

enum class MarkCheck { None, ByType, AlwaysMissing, AlwaysInstalled };

inline constexpr std::int32_t kMarkNoCheck = 0;
inline constexpr std::int32_t kMarkAlwaysMissing = 2;
inline constexpr std::int32_t kMarkAlwaysInstalled = 3;

MarkCheck CheckForMark(std::int32_t mark);

// The mark a component keeps after loading: "SkipAtWindows7" = 1 on
// Windows 7 turns it into "no check".
std::int32_t MarkOnLoad(std::int32_t mark, int skipAtWindows7, bool isWindows7);

// The mark for the rest of one installation once the component's installer
// has been started: a component that can only be counted as missing (mark 2)
// counts as installed from then on, so that it is installed once per run of
// the step and does not by itself send the customer to the help page.
// Other marks are unchanged: their check decides.
std::int32_t MarkAfterInstallerStarted(std::int32_t mark);

}  // namespace vorlan
