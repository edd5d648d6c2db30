#pragma once
// Step "GameComponent": the hand-over to the game component library
// "ComponentMgr.dll".

#include "steps/context/step_context.h"

namespace components {

// False when the hand-over failed: the pipeline then ends the run.
bool RunGameComponentStep(StepContext& context);

}  // namespace components
