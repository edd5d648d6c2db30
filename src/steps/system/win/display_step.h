#pragma once
// Step "Display": the display mode of [Display] (width, height, colour
// depth, refresh rate; 0 keeps that part of the PC's own mode), set only when
// it differs from the current one and only when the display reports it. The
// PC's own mode is recorded before the first change and restored at the
// start of the next run whose option file does not list "Display", and by
// "vorlan-check --restore-display" (docs/display-record.md).

#include <string>

#include "platform/win/ini_file.h"
#include "steps/system/core/display_mode.h"
#include "steps/system/win/display_device.h"
#include "steps/system/win/display_record_key.h"

class StepContext;

namespace vorlan::steps {

// [Display] of the option file.
DisplayRequestParse ReadDisplayRequest(const OS::IniFile& options);

void RunDisplay(StepContext& context, DisplayDevice& display, DisplayRecordKey& record);

struct DisplayRestore {
  enum class State {
    NoRecord,    // nothing to do
    Restored,    // the recorded mode is set again; the record is removed
    AlreadySet,  // the recorded mode was the current one; the record is removed
    Refused,     // the system refused the mode (`result`); the record stays
    BadRecord,   // the record held no mode (`recordText`); it is removed
  };
  State state = State::NoRecord;
  DisplayMode mode;
  long result = 0;
  std::wstring recordText;
};

// Sets the recorded mode again and removes the record.
DisplayRestore RestoreDisplay(DisplayDevice& display, DisplayRecordKey& record);

// Whether a run of this option file may run "Display": a sub-process of
// [ProcessMgr] or [Control] Exclude names it (exactly, as the pipeline
// compares step names).
bool ListsDisplayStep(const OS::IniFile& options);

// At the start of a run: when a record exists and the option file does not
// list "Display", restores the PC's own mode (logged, and a result line).
void RestoreDisplayAtRunStart(StepContext& context, DisplayDevice& display, DisplayRecordKey& record);
void RestoreDisplayAtRunStart(StepContext& context);

}  // namespace vorlan::steps
