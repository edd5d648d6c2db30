#include "components/win/component_step.h"

#include "components/win/component.h"

namespace components {

int RunComponentStep(StepContext& context, CConfig& catalogue) { return CComponent(&context, catalogue).Setup(); }

}  // namespace components
