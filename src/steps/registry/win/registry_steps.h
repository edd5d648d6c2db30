#pragma once
// The registry steps, each over its numbered entries of the option file:
// "ImportReg" ([ImportReg<n>]: registry editor and package registry files),
// "keys" ([keys<n>]: CD-key and serial values), "GamePath" ([GamePath<n>]:
// the game's folder into the values a game reads to find itself),
// "Compatible" ([Compatible<n>]: compatibility layers of executables),
// "RegDll" ([RegDll<n>]: COM servers through regsvr32) and "RegService"
// ([RegService<n>]: services and kernel drivers through the service manager).

class StepContext;

namespace vorlan::steps {

void RunImportReg(StepContext& context);
void RunKeys(StepContext& context);
void RunGamePath(StepContext& context);
void RunCompatible(StepContext& context);
void RunRegDll(StepContext& context);
void RunRegService(StepContext& context);

}  // namespace vorlan::steps
