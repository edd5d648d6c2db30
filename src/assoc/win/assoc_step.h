#pragma once
// Steps "Assoc" and "AssocGamePathSet": associated games on virtual disks.

#include "platform/win/ini_file.h"
#include "steps/context/step_context.h"

namespace assoc {

// True when the associated-game worker runs; the pipeline then hides the
// dialog and waits for it (WaitForAssocWorker).
bool RunAssocStep(StepContext& context);

// Returns when the associated-game worker has ended (at once when none runs).
void WaitForAssocWorker();

// The game-platform paths; takes only the option file, no dialog.
void RunAssocGamePathSetStep(const OS::IniFile& options);

}  // namespace assoc
