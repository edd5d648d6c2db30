#pragma once
// The steps the pipeline knows, in the order their names are matched, with
// the texts logged at their start and end.

#include <cstddef>
#include <span>
#include <string_view>

namespace vorlan {

enum class StepId {
  Map, PreLoad, SelectPreLoadProcess, Component, Copy, Junction, ImportReg, Keys, Display, Compatible,
  GamePath, RegDll, RegService, RunOnce, AppLoc, GameComponent, Assoc, AssocGamePathSet, OpenUrl, Main
};

struct StepInfo {
  StepId id;
  std::wstring_view name;       // as written in the option file
  std::wstring_view startText;  // logged before the handler
  std::wstring_view endText;    // logged after it; "%d" takes the milliseconds
  bool advancesProgress;        // the progress bar moves on after the step
};

std::span<const StepInfo> StepTable();

// The step with exactly this name (case-sensitive), or null.
const StepInfo* FindStep(std::wstring_view name);

}  // namespace vorlan
