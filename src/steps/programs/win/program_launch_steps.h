#pragma once
// The steps that start programs: the pre-load lists, the run-once program,
// the AppLoc launcher, the web pages and the game itself. Each takes what it
// needs of the launcher through the step context; the main dialog's handler
// members (ProcessPreLoad, ...) only call them.

#include "platform/core/calendar_date.h"
#include "step_context/win/step_context.h"

namespace vorlan::steps {

// Step "PreLoad": the programs of the sections PreLoad0, PreLoad1, ...
void RunPreLoad(StepContext& context);

// Step "SelectPreLoadProcess": the list that the select file chooses.
void RunSelectPreload(StepContext& context);

// Step "RunOnce": the run-once program, unless it was run on `today`
// (local date) since Windows started.
void RunRunOnce(StepContext& context, const CalendarDate& today);

// Step "AppLoc": the game through the AppLoc locale launcher.
void RunAppLoc(StepContext& context);

// Step "OpenUrl": the web addresses Url_0, Url_1, ...
void RunOpenUrl(StepContext& context);

// Step "Main": starts the game in the way [Main] "RunOption" chooses.
void RunGame(StepContext& context);

}  // namespace vorlan::steps
