// Step "AppLoc": starts the game through the AppLoc locale launcher, which
// runs it under the locale that "Param" selects.

#include <windows.h>

#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/process_start.h"
#include "steps/programs/core/game_exe_settings.h"
#include "steps/programs/core/program_command_line.h"
#include "steps/programs/win/existing_file.h"
#include "steps/programs/win/game_exe_settings_read.h"
#include "steps/programs/win/program_launch_steps.h"

namespace vorlan::steps {
namespace {

std::wstring WindowsDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = ::GetWindowsDirectoryW(buffer, MAX_PATH);
  return (n > 0 && n < MAX_PATH) ? std::wstring(buffer, n) : std::wstring();
}

}  // namespace

void RunAppLoc(StepContext& context) {
  const OS::IniFile& options = context.Options();
  if (options.ReadInt(L"AppLoc", L"IsNeed", 0) != 0) return;

  std::wstring launcher = options.ReadString(L"AppLoc", L"Exe");
  const std::wstring locale = options.ReadString(L"AppLoc", L"Param");
  if (launcher.empty()) launcher = PathJoin(WindowsDirectory(), L"AppPatch\\AppLoc.exe");

  const std::wstring gamePath = FullGamePath(context.ProgramDirectory(), ReadGameExeSettings(options));
  OS::ProcessStart start;
  start.commandLine = AppLocCommandLine(launcher, IsExistingFile(launcher), gamePath, locale);
  start.creationFlags = CREATE_NEW_CONSOLE;
  start.inheritHandles = true;
  start.showWindow = SW_SHOW;
  const OS::ProcessResult result = OS::StartProcess(start);
  context.PrintInfo(fmt::Format(L"Run Apploc %s, %s", start.commandLine, result.started ? L"Success" : L"Failed"));
}

}  // namespace vorlan::steps

