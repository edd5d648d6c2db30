#pragma once
// The dry run: what a run of the launcher in a game folder would do on this
// PC, step by step, with the paths and command lines the steps would use,
// without doing any of it.

#include <functional>
#include <string>

namespace vorlan::check {

// Prints the plan of the game folder `folder` (absolute); returns 0, or 2
// when the folder has no option file.
int PrintPlan(const std::wstring& folder, const std::function<void(const std::wstring&)>& out);

}  // namespace vorlan::check
