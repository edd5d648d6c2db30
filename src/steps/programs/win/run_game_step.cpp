// Step "Main": starts the game. [Main] "RunOption" chooses how: 1 the
// shell's default verb, 2 the ANSI command runner, 3 "open" on a web address
// or document (Internet Explorer when nothing opens it), anything else the
// program directly.

#include <windows.h>

#include "platform/core/log_mgr.h"
#include "platform/win/code_page.h"
#include "platform/win/process_start.h"
#include "steps/programs/core/game_exe_settings.h"
#include "steps/programs/core/launch_mode.h"
#include "steps/programs/core/program_command_line.h"
#include "steps/programs/win/existing_file.h"
#include "steps/programs/win/game_exe_settings_read.h"
#include "steps/programs/win/program_launch_steps.h"
#include "steps/programs/win/shell_open.h"

namespace vorlan::steps {

void RunGame(StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  const GameExeSettings game = ReadGameExeSettings(options);
  const std::wstring programDirectory = context.ProgramDirectory();
  const std::wstring gamePath = FullGamePath(programDirectory, game);
  const std::wstring commandLine = BareProgramCommandLine(gamePath, IsExistingFile(gamePath), game.arguments);

  // A game that does not start is logged (level 32): "Start Game..." alone
  // would tell whoever reads the log that it did.
  switch (LaunchModeFor(options.ReadInt(L"Main", L"RunOption", 0))) {
    case LaunchMode::ShellOpen: {
      const int result = ShellOpen(nullptr, gamePath, game.arguments.c_str(), programDirectory.c_str(), SW_SHOW);
      if (result <= 32)
        log.Log(32, L"RunGameOption: CVorlanDlg::ProcessRunGame. ShellExecute Failed: %d, %s", result, gamePath);
      break;
    }
    case LaunchMode::CommandRunner: {
      const UINT result = ::WinExec(OS::ToThreadAnsi(commandLine).c_str(), SW_SHOW);
      if (result <= 31)
        log.Log(32, L"RunGameOption: CVorlanDlg::ProcessRunGame. WinExec Failed: %u, %s", result, commandLine);
      break;
    }
    case LaunchMode::OpenDocument: {
      if (ShellOpen(L"open", game.program, nullptr, nullptr, SW_SHOWNORMAL) <= 32) {
        const int fallback = ShellOpen(L"open", L"iexplore.exe", game.program.c_str(), nullptr, SW_SHOWNORMAL);
        log.Log(4, L"CVorlanDlg::ProcessRunGame. iexplore: %d", fallback);
      }
      break;
    }
    case LaunchMode::CreateProcess: {
      const std::wstring workingDirectory = GameWorkingDirectory(programDirectory, game);
      if (!game.directory.empty())
        log.Log(64, L"RunGameOption: CVorlanDlg::ProcessRunGame. CurrentPath: %s", workingDirectory);
      OS::ProcessStart start;
      start.commandLine = commandLine;
      start.workingDirectory = workingDirectory;
      start.creationFlags = CREATE_DEFAULT_ERROR_MODE;
      start.showWindow = SW_SHOW;
      const OS::ProcessResult result = OS::StartProcess(start);
      if (!result.started)
        log.Log(32, L"RunGameOption: CVorlanDlg::ProcessRunGame. CreateProcess Failed. ErrorCode = %u, %s",
                result.error, commandLine);
      break;
    }
  }
  context.PrintInfo(L"RunGameOption: CVorlanDlg::ProcessRunGame. Start Game...");
}

}  // namespace vorlan::steps

