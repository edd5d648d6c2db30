#pragma once
// Step "GameComponent": the hand-over to the game component library
// "ComponentMgr.dll" beside the executable (game_component_contract.h).

#include "step_context/win/step_context.h"

namespace components {

// True when the library took the game over and said so; false when it is
// missing, cannot be loaded, lacks the export or answered FALSE. The
// pipeline then ends the run.
bool RunGameComponentStep(StepContext& context);

}  // namespace components
