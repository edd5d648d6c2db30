// Step "Main" in real launcher runs: the four launch modes.

#include <windows.h>

#include <gtest/gtest.h>

#include "launcher_options.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/shell_stand_ins.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

const std::wstring kStartGame = Printed(L"RunGameOption: CVorlanDlg::ProcessRunGame. Start Game...");
const std::wstring kCurrentPath = L"RunGameOption: CVorlanDlg::ProcessRunGame. CurrentPath: ";

LauncherRun RunMain(const GameFolder& game, std::wstring_view mainSection, RunOptions options = {}) {
  game.WriteOptionFile(L"[Main]\r\n" + std::wstring(mainSection) + Pipeline({L"Main"}));
  LauncherRun run = game.Run(L"NewVorlan 1001", std::move(options));
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.timedOut) << Dump(run.log);
  EXPECT_EQ(run.exitCode, 0u);
  // Nothing asks anyone anything (the shell's and the game menu's attempts included).
  EXPECT_TRUE(run.messageBoxes.empty());
  return run;
}

// The "Start Game..." line comes once, inside the "Main" step.
void ExpectStartGameLine(const LauncherRun& run) {
  const int begin = FindLine(run.log, L"CVorlanDlg::ProcessManage.开始执行最终运行程序", 4);
  const int line = FindLine(run.log, kStartGame, 4);
  const int end = FindLineStarting(run.log, L"CVorlanDlg::ProcessManage.已执行最终运行程序 ");
  EXPECT_TRUE(begin >= 0 && line > begin && end > line) << Dump(run.log);
  EXPECT_EQ(FindLine(run.log, kStartGame, -1, line + 1), -1);
}

}  // namespace

TEST(RunGameRun, DirectStartInTheFolderBeforeTheExe) {
  GameFolder game;
  game.AddRecorder(L"bin\\game.exe");
  LauncherRun run = RunMain(game, L"GameExe=game.exe\r\nBeforeExePath=bin\r\nParam=-window -name 中文\r\n");
  auto runs = game.WaitForRecorderRuns(L"bin\\game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, game.File(L"bin\\game.exe") + L" -window -name 中文");
  EXPECT_EQ(runs[0].currentDir, game.File(L"bin"));
  EXPECT_EQ(runs[0].showWindow, SW_SHOW);
  const int currentPath = FindLine(run.log, kCurrentPath + game.File(L"bin"), 64);
  EXPECT_GE(currentPath, 0) << Dump(run.log);
  EXPECT_LT(currentPath, FindLine(run.log, kStartGame, 4));
  ExpectStartGameLine(run);
}

TEST(RunGameRun, DirectStartWithoutFolderKeepsTheBlankAndLogsNoCurrentPath) {
  GameFolder game;
  game.AddRecorder(L"game.exe");
  LauncherRun run = RunMain(game, L"GameExe=game.exe\r\n");
  auto runs = game.WaitForRecorderRuns(L"game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, game.File(L"game.exe") + L" ");
  EXPECT_EQ(runs[0].currentDir, game.Path());
  EXPECT_EQ(FindLineStarting(run.log, kCurrentPath), -1) << Dump(run.log);
  ExpectStartGameLine(run);
}

TEST(RunGameRun, ShellOpenStartsTheFullPathInTheProgramDirectory) {
  GameFolder game;
  game.AddRecorder(L"bin\\game.exe");
  LauncherRun run = RunMain(game, L"RunOption=1\r\nGameExe=game.exe\r\nBeforeExePath=bin\r\nParam=-a \"b c\"\r\n");
  auto runs = game.WaitForRecorderRuns(L"bin\\game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].args, (std::vector<std::wstring>{game.File(L"bin\\game.exe"), L"-a", L"b c"}));
  EXPECT_EQ(runs[0].currentDir, game.Path());
  EXPECT_EQ(runs[0].showWindow, SW_SHOW);
  EXPECT_EQ(FindLineStarting(run.log, kCurrentPath), -1);
  ExpectStartGameLine(run);
}

TEST(RunGameRun, CommandRunnerGetsTheCommandLineThroughTheAnsiCodePage) {
  GameFolder game;
  game.AddRecorder(L"bin\\game.exe");
  LauncherRun run = RunMain(game, L"RunOption=2\r\nGameExe=game.exe\r\nBeforeExePath=bin\r\nParam=-name 中文玩家\r\n");
  auto runs = game.WaitForRecorderRuns(L"bin\\game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, game.File(L"bin\\game.exe") + L" -name 中文玩家");
  // The launcher's own current folder (its program directory).
  EXPECT_EQ(runs[0].currentDir, game.Path());
  EXPECT_EQ(runs[0].showWindow, SW_SHOW);
  ExpectStartGameLine(run);
}

TEST(RunGameRun, ShellOpenAndCommandRunnerWithoutAFolder) {
  GameFolder shell({.suffix = L"-shell"});
  shell.AddRecorder(L"game.exe");
  LauncherRun run = RunMain(shell, L"RunOption=1\r\nGameExe=game.exe\r\n");
  auto runs = shell.WaitForRecorderRuns(L"game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].args, std::vector<std::wstring>{shell.File(L"game.exe")});
  EXPECT_EQ(runs[0].currentDir, shell.Path());
  ExpectStartGameLine(run);

  GameFolder runner({.suffix = L"-runner"});
  runner.AddRecorder(L"game.exe");
  run = RunMain(runner, L"RunOption=2\r\nGameExe=game.exe\r\n");
  runs = runner.WaitForRecorderRuns(L"game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, runner.File(L"game.exe") + L" ");
  EXPECT_EQ(runs[0].currentDir, runner.Path());
  ExpectStartGameLine(run);
}

TEST(RunGameRun, OpenDocumentOpensAWebAddressOrADocumentWithItsHandler) {
  InstallShellStandIns();
  GameFolder web;
  const std::wstring token = UniqueToken();
  const std::wstring address = L"vorlantest://" + token + L"/page?x=1";
  // The folder value is not put in front of the address.
  LauncherRun run = RunMain(web, L"RunOption=3\r\nGameExe=" + address + L"\r\nBeforeExePath=bin\r\nParam=-p\r\n");
  auto opened = WaitForShellHandlerRuns(token, 1);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].args.back(), address);
  EXPECT_EQ(opened[0].showWindow, SW_SHOWNORMAL);
  EXPECT_TRUE(RunsMentioning(InternetExplorerRuns(), token).empty());
  EXPECT_EQ(FindLineStarting(run.log, L"CVorlanDlg::ProcessRunGame. iexplore:"), -1);
  ExpectStartGameLine(run);
  // Inside the step nothing but the "Start Game..." line (and its PrintInfo copy).
  const int begin = FindLine(run.log, L"CVorlanDlg::ProcessManage.开始执行最终运行程序", 4);
  const int end = FindLineStarting(run.log, L"CVorlanDlg::ProcessManage.已执行最终运行程序 ");
  ASSERT_TRUE(begin >= 0 && end > begin) << Dump(run.log);
  for (int i = begin + 1; i < end; ++i) EXPECT_EQ(run.log[i].text, kStartGame) << Dump(run.log);

  GameFolder document({.suffix = L"-document"});
  const std::wstring manual = document.File(L"manual-" + UniqueToken() + L".vorlantest");
  document.WriteText(manual.substr(document.Path().size()), L"read me");
  run = RunMain(document, L"RunOption=3\r\nGameExe=" + manual + L"\r\n");
  opened = WaitForShellHandlerRuns(manual, 1);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].args.back(), manual);
  ExpectStartGameLine(run);
}

TEST(RunGameRun, OpenDocumentFallsBackToInternetExplorer) {
  InstallShellStandIns();
  GameFolder game;
  const std::wstring address = L"novorlanscheme:" + UniqueToken();
  LauncherRun run = RunMain(game, L"RunOption=3\r\nGameExe=" + address + L"\r\n");
  auto explorer = WaitForInternetExplorerRuns(address, 1);
  ASSERT_EQ(explorer.size(), 1u);
  EXPECT_EQ(explorer[0].args.back(), address);
  EXPECT_EQ(explorer[0].showWindow, SW_SHOWNORMAL);
  const int line = FindLineStarting(run.log, L"CVorlanDlg::ProcessRunGame. iexplore: ");
  ASSERT_GE(line, 0) << Dump(run.log);
  EXPECT_EQ(run.log[line].level, 4);
  EXPECT_GT(std::stoi(run.log[line].text.substr(run.log[line].text.rfind(L' ') + 1)), 32);
  EXPECT_LT(line, FindLine(run.log, kStartGame, 4));
  ExpectStartGameLine(run);
}

TEST(RunGameRun, RedirectionOffTakesTheSixtyFourBitKeysOnA64BitWindows) {
  const std::wstring both =
      L"GameExe=game32.exe\r\nBeforeExePath=bin32\r\nParam=-32\r\n"
      L"GameExe64=game64.exe\r\nBeforeExePath64=bin64\r\nParam64=-64\r\n";
  GameFolder game;
  game.AddRecorder(L"bin32\\game32.exe");
  game.AddRecorder(L"bin64\\game64.exe");
  RunMain(game, L"IsCloseRedirection=1\r\n" + both);
  const std::wstring expected = Is64BitPrefix() ? L"bin64\\game64.exe" : L"bin32\\game32.exe";
  const std::wstring other = Is64BitPrefix() ? L"bin32\\game32.exe" : L"bin64\\game64.exe";
  auto runs = game.WaitForRecorderRuns(expected, 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, game.File(expected) + (Is64BitPrefix() ? L" -64" : L" -32"));
  EXPECT_EQ(runs[0].currentDir, game.File(Is64BitPrefix() ? L"bin64" : L"bin32"));
  EXPECT_TRUE(game.RecorderRuns(other).empty());

  // Redirection left on: the plain keys, on any Windows.
  GameFolder plain({.suffix = L"-plain"});
  plain.AddRecorder(L"bin32\\game32.exe");
  plain.AddRecorder(L"bin64\\game64.exe");
  RunMain(plain, L"IsCloseRedirection=0\r\n" + both);
  EXPECT_EQ(plain.WaitForRecorderRuns(L"bin32\\game32.exe", 1).size(), 1u);
  EXPECT_TRUE(plain.RecorderRuns(L"bin64\\game64.exe").empty());
}

TEST(RunGameRun, AGamePathWithABlankStartsTheGameNotAnotherProgram) {
  for (const wchar_t* mode : {L"0", L"2"}) {
    SCOPED_TRACE(mode);
    GameFolder game({.suffix = std::wstring(L"-") + mode});
    game.AddRecorder(L"My Game\\game.exe");
    // What Windows would start for the bare "...\My Game\game.exe -x".
    game.AddRecorder(L"My.exe");
    RunMain(game,
            std::wstring(L"RunOption=") + mode + L"\r\nGameExe=game.exe\r\nBeforeExePath=My Game\r\nParam=-x\r\n");
    auto runs = game.WaitForRecorderRuns(L"My Game\\game.exe", 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, L"\"" + game.File(L"My Game\\game.exe") + L"\" -x");
    EXPECT_TRUE(game.RecorderRuns(L"My.exe").empty());
  }
}

TEST(RunGameRun, AGameThatCannotStartIsLoggedAndTheRunEnds) {
  GameFolder game;
  LauncherRun run = RunMain(game, L"GameExe=absent.exe\r\nParam=-x\r\n");
  const int failed = FindLine(run.log,
                              L"RunGameOption: CVorlanDlg::ProcessRunGame. CreateProcess Failed. ErrorCode = 2, " +
                                  game.File(L"absent.exe") + L" -x",
                              32);
  EXPECT_GE(failed, 0) << Dump(run.log);
  ExpectStartGameLine(run);
}

TEST(RunGameRun, AGameTheShellOrTheCommandRunnerCannotStartIsLoggedAndTheRunEnds) {
  GameFolder game;
  LauncherRun shell = RunMain(game, L"RunOption=1\r\nGameExe=absent.exe\r\nParam=-x\r\n");
  EXPECT_GE(FindLine(shell.log,
                     L"RunGameOption: CVorlanDlg::ProcessRunGame. ShellExecute Failed: 2, " + game.File(L"absent.exe"),
                     32),
            0)
      << Dump(shell.log);
  ExpectStartGameLine(shell);

  LauncherRun runner = RunMain(game, L"RunOption=2\r\nGameExe=absent.exe\r\nParam=-x\r\n");
  EXPECT_GE(FindLine(runner.log,
                     L"RunGameOption: CVorlanDlg::ProcessRunGame. WinExec Failed: 2, " + game.File(L"absent.exe") +
                         L" -x",
                     32),
            0)
      << Dump(runner.log);
  ExpectStartGameLine(runner);
}
