// Step "AppLoc" driven with a step context of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/recording_step_context.h"
#include "steps/programs/win/program_launch_steps.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/shell_stand_ins.h"
#include "vtest/test_paths.h"

using namespace vtest;
using vorlan::steps::RunAppLoc;

namespace {

std::wstring EnterFolder(const GameFolder& game) {
  game.MakeDir(L"current");
  ::SetCurrentDirectoryW(game.File(L"current").c_str());
  return game.File(L"current");
}

}  // namespace

TEST(AppLocStep, TheConfiguredLauncherGetsTheGamePathAndTheLocale) {
  GameFolder game;
  const std::wstring current = EnterFolder(game);
  game.AddRecorder(L"loc\\AppLoc.exe");
  game.WriteOptionFile(L"[Main]\r\nGameExe=game.exe\r\nBeforeExePath=bin\r\nParam=-ignored\r\n"
                       L"[AppLoc]\r\nExe=" + game.File(L"loc\\AppLoc.exe") + L"\r\nParam=/L0804\r\n");
  const std::wstring mapped = game.File(L"mapped");
  RecordingStepContext context(game, mapped);
  RunAppLoc(context);

  const std::wstring commandLine =
      game.File(L"loc\\AppLoc.exe") + L" \"" + mapped + L"\\bin\\game.exe\" \"/L0804\"";
  auto runs = game.WaitForRecorderRuns(L"loc\\AppLoc.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, commandLine);
  EXPECT_EQ(runs[0].currentDir, current);
  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Run Apploc " + commandLine + L", Success"});
}

TEST(AppLocStep, WithoutExeTheWindowsAppLocRuns) {
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring appLoc = std::wstring(windows) + L"\\AppPatch\\AppLoc.exe";
  const std::wstring records = L"C:\\vorlan-tests\\shell-stand-ins\\AppLoc.rec";
  InstallSharedRecorder(appLoc, records);

  // No [AppLoc] section at all; the game settings in their plain keys.
  GameFolder game;
  const std::wstring gameExe = L"game-" + UniqueToken() + L".exe";
  game.WriteOptionFile(L"[Main]\r\nGameExe=" + gameExe + L"\r\n");
  RecordingStepContext context(game);
  RunAppLoc(context);

  const std::wstring commandLine = appLoc + L" \"" + game.File(gameExe) + L"\" \"\"";
  std::vector<RecorderRun> mine;
  for (int i = 0; i < 100 && mine.empty(); ++i, ::Sleep(50)) mine = RunsMentioning(ReadRecorderRuns(records), gameExe);
  ASSERT_EQ(mine.size(), 1u);
  EXPECT_EQ(mine[0].commandLine, commandLine);
  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Run Apploc " + commandLine + L", Success"});
}

TEST(AppLocStep, ALauncherPathWithABlankStartsTheLauncherNotAnother) {
  GameFolder game;
  EnterFolder(game);
  game.AddRecorder(L"App Loc\\AppLoc.exe");
  // What Windows would start for the bare "...\App Loc\AppLoc.exe".
  game.AddRecorder(L"App.exe");
  game.WriteOptionFile(L"[Main]\r\nGameExe=game.exe\r\n[AppLoc]\r\nExe=" + game.File(L"App Loc\\AppLoc.exe") +
                       L"\r\nParam=/L0804\r\n");
  RecordingStepContext context(game);
  RunAppLoc(context);

  const std::wstring commandLine =
      L"\"" + game.File(L"App Loc\\AppLoc.exe") + L"\" \"" + game.File(L"game.exe") + L"\" \"/L0804\"";
  auto runs = game.WaitForRecorderRuns(L"App Loc\\AppLoc.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, commandLine);
  ::Sleep(300);
  EXPECT_TRUE(game.RecorderRuns(L"App.exe").empty());
  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Run Apploc " + commandLine + L", Success"});
}

TEST(AppLocStep, IsNeedSkipsTheStep) {
  for (const wchar_t* isNeed : {L"1", L"-1", L"2"}) {
    GameFolder game;
    game.AddRecorder(L"AppLoc.exe");
    game.WriteOptionFile(std::wstring(L"[Main]\r\nGameExe=game.exe\r\n[AppLoc]\r\nIsNeed=") + isNeed +
                         L"\r\nExe=" + game.File(L"AppLoc.exe") + L"\r\n");
    RecordingStepContext context(game);
    RunAppLoc(context);
    ::Sleep(300);
    EXPECT_TRUE(game.RecorderRuns(L"AppLoc.exe").empty()) << isNeed;
    EXPECT_TRUE(context.Printed().empty()) << isNeed;
  }
}

TEST(AppLocStep, ALauncherThatCannotStartIsReportedFailed) {
  GameFolder game;
  game.WriteOptionFile(L"[Main]\r\nGameExe=game.exe\r\n[AppLoc]\r\nExe=" + game.File(L"none\\AppLoc.exe") +
                       L"\r\nParam=0411\r\n");
  RecordingStepContext context(game);
  RunAppLoc(context);
  EXPECT_EQ(context.Printed(),
            std::vector<std::wstring>{L"Run Apploc " + game.File(L"none\\AppLoc.exe") + L" \"" +
                                      game.File(L"game.exe") + L"\" \"0411\", Failed"});
}
