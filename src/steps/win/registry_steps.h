#pragma once
// The registry steps, each over its numbered entries of the option file:
// "ImportReg" ([ImportReg<n>]: registry editor and package registry files).

class StepContext;

namespace vorlan::steps {

void RunImportReg(StepContext& context);

}  // namespace vorlan::steps
