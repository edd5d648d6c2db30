#pragma once
#include <string>
#include <string_view>

#include "step_context/win/step_context.h"
#include "platform/win/ini_file.h"

namespace vorlan::steps {

// Runs the numbered program list `list` of `file` ("PreLoad" of the option
// file, or the list the select file chooses), `num` entries as its "Num"
// says. Each entry with an "Exe" is started as "\"<full path>\" <Param>"
// (the full path is the program directory joined with "Exe") in a new
// console, in the program directory, and waited for when its "Wait" is not
// 0; the outcome is reported as "<reportName> <full path>, Success|Failed".
void RunProgramList(StepContext& context, const OS::IniFile& file, const std::wstring& list, int num,
                    std::wstring_view reportName);

}  // namespace vorlan::steps
