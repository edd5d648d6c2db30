// Step "RunOnce": one program at most once a day between two restarts of
// Windows. The marks live in a volatile key of the current user named after
// the day, one DWORD per program, named by the "Exe" text as written.

#include <windows.h>

#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/process_start.h"
#include "platform/win/scoped_resource.h"
#include "steps/programs/core/day_marks.h"
#include "steps/programs/core/program_command_line.h"
#include "steps/programs/win/existing_file.h"
#include "steps/programs/win/local_date.h"
#include "steps/programs/win/program_launch_steps.h"

namespace vorlan::steps {

void RunRunOnce(StepContext& context, const CalendarDate& today) {
  const OS::IniFile& options = context.Options();
  const std::wstring exe = options.ReadString(L"RunOnce", L"Exe");
  const std::wstring param = options.ReadString(L"RunOnce", L"Param");
  if (exe.empty()) return;

  OS::ScopedRegKey marks;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, RunOnceKeyName(today).c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, marks.Receive(), nullptr) != ERROR_SUCCESS) {
    return;
  }
  DWORD ran = 0, size = sizeof(ran);
  if (::RegQueryValueExW(marks.Get(), exe.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&ran), &size) !=
      ERROR_SUCCESS) {
    ran = 0;
  }

  bool started = false;
  if (ran == 0) {
    const std::wstring fullPath = PathJoin(context.ProgramDirectory(), exe);
    OS::ProcessStart start;
    start.commandLine = BareProgramCommandLine(fullPath, IsExistingFile(fullPath), param);
    start.creationFlags = CREATE_NEW_CONSOLE;
    start.showWindow = SW_SHOW;
    start.keepProcess = true;
    OS::ProcessResult result = OS::StartProcess(start);
    started = result.started;
    if (started && options.ReadInt(L"RunOnce", L"Wait", 0) != 0) ::WaitForSingleObject(result.process.Get(), INFINITE);
    result.process.Close();
    // Marked whether or not it started: a program that cannot start is not
    // tried again the same day.
    const DWORD one = 1;
    ::RegSetValueExW(marks.Get(), exe.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
  }
  marks.Close();
  context.PrintInfo(fmt::Format(L"ProcessRunOnce %s, %s", exe, started ? L"Success" : L"Failed"));
}

}  // namespace vorlan::steps

