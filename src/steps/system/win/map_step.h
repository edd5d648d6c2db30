#pragma once
// Step "Map": shows the game folder (or the folder or share [Map] names)
// as the drive letter [Map] Drive names, for games that insist on a fixed
// drive; once it does, the program directory is that drive ("Z:") and every
// later step builds its paths on it. Letters that are disks of the PC or
// mappings this program did not make are never taken.

#include <optional>
#include <string>

#include "platform/win/ini_file.h"
#include "steps/system/core/drive_map.h"

class StepContext;

namespace vorlan::steps {

// What the step would do on this PC now: [Map] read, the folder and the
// letter looked at, nothing changed.
struct MapPlan {
  std::wstring what;  // "Z: -> C:\Games\X", as the result line names it
  std::optional<wchar_t> letter;
  MapTarget target;
  LetterState state;     // what the letter shows now
  MapDecision decision;  // Refuse: with the reason and error code
};
MapPlan PlanMap(const OS::IniFile& options, const std::wstring& executableDirectory);

void RunMap(StepContext& context);

}  // namespace vorlan::steps
