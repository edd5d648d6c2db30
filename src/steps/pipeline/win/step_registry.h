#pragma once
// The handler of every step of the step table (steps/pipeline/core/step_table.h).
// Adding a step: a row in the step table, a handler taking the StepContext
// in its subsystem, and its line in step_registry.cpp.

#include "step_context/win/step_context.h"
#include "steps/pipeline/core/step_table.h"
#include "steps/pipeline/win/step_outcome.h"

namespace vorlan::steps {

using StepHandler = StepOutcome (*)(StepContext& context);

// The handler of the step, or null for an id without one.
StepHandler FindStepHandler(StepId id);

// Runs the step's handler (nothing for an id without one).
StepOutcome RunStepHandler(StepId id, StepContext& context);

}  // namespace vorlan::steps
