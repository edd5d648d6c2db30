#include "assoc/win/assoc_step.h"

// Not built yet: no associated game is prepared, the dialog stays as it is,
// no worker runs and no platform path is written.
namespace assoc {

bool RunAssocStep(StepContext&) { return false; }

void WaitForAssocWorker() {}

void RunAssocGamePathSetStep(const OS::IniFile&) {}

}  // namespace assoc
