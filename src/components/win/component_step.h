#pragma once
// Step "Component": installs the runtime components that the catalogue lists
// and finds missing (components/win/component.h).

#include "components/win/config.h"
#include "step_context/win/step_context.h"

namespace components {

// 1 when the catalogue lists any component, else 0: the pipeline's component
// result, which decides whether "Main" writes the completion mark.
int RunComponentStep(StepContext& context, CConfig& catalogue);

}  // namespace components
