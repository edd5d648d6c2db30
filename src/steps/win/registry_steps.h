#pragma once
// The registry steps, each over its numbered entries of the option file:
// "ImportReg" ([ImportReg<n>]: registry editor and package registry files),
// "keys" ([keys<n>]: CD-key and serial values), "GamePath" ([GamePath<n>]:
// the game's folder into the values a game reads to find itself).

class StepContext;

namespace vorlan::steps {

void RunImportReg(StepContext& context);
void RunKeys(StepContext& context);
void RunGamePath(StepContext& context);

}  // namespace vorlan::steps
