#pragma once
// The white list: the steps named in [Control] "Exclude" that run when the
// full preparation already ran today.

#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

// Splits at ","; every piece is a name, the last one and empty ones included.
std::vector<std::wstring> SplitStepList(std::wstring_view list);

// The steps to run, in order. An empty list runs "Main" (when runMain).
// "Main" is left out unless runMain, "Map" unless runMap.
std::vector<std::wstring> WhiteListSteps(std::wstring_view exclude, bool runMain, bool runMap);

}  // namespace vorlan
