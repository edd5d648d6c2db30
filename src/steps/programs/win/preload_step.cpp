// Step "PreLoad": the programs of the sections PreLoad0, PreLoad1, ... of
// the option file.

#include "steps/programs/win/program_launch_steps.h"
#include "steps/programs/win/program_list_run.h"

namespace vorlan::steps {

void RunPreLoad(StepContext& context) {
  const OS::IniFile& options = context.Options();
  RunProgramList(context, options, L"PreLoad", options.ReadInt(L"PreLoad", L"Num", 0), L"ProcessPreLoad");
}

}  // namespace vorlan::steps

