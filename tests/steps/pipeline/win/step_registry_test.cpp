// Every step the pipeline knows by name has a handler.

#include <gtest/gtest.h>

#include "steps/pipeline/core/step_table.h"
#include "steps/pipeline/win/step_registry.h"

TEST(StepRegistry, EveryStepOfTheTableHasAHandler) {
  for (const vorlan::StepInfo& step : vorlan::StepTable())
    EXPECT_NE(vorlan::steps::FindStepHandler(step.id), nullptr) << std::string(step.name.begin(), step.name.end());
}
