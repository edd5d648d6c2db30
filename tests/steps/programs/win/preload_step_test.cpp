// Step "PreLoad" driven with a step context of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/recording_step_context.h"
#include "steps/programs/win/program_launch_steps.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"

using namespace vtest;
using vorlan::steps::RunPreLoad;

TEST(PreLoadStep, EntriesWithoutExeAreSkippedTheOthersStartQuotedInTheProgramDirectory) {
  GameFolder game;
  // The program directory is another folder than the executable's, as after
  // a disk mapping: relative program paths follow it.
  const std::wstring mapped = game.File(L"mapped");
  game.AddRecorder(L"mapped\\tools\\first.exe");
  game.AddRecorder(L"mapped\\third.exe");
  game.AddRecorder(L"mapped\\never.exe");
  game.WriteOptionFile(
      L"[PreLoad]\r\nNum=3\r\n"
      L"[PreLoad0]\r\nExe=tools\\first.exe\r\nParam=-a \"b c\" 中文\r\n"
      L"[PreLoad1]\r\nExe=\r\nParam=never.exe\r\n"
      L"[PreLoad2]\r\nExe=\\third.exe\r\n");
  RecordingStepContext context(game, mapped);
  RunPreLoad(context);

  auto first = game.WaitForRecorderRuns(L"mapped\\tools\\first.exe", 1);
  auto third = game.WaitForRecorderRuns(L"mapped\\third.exe", 1);
  ASSERT_EQ(first.size(), 1u);
  ASSERT_EQ(third.size(), 1u);
  EXPECT_EQ(first[0].commandLine, L"\"" + mapped + L"\\tools\\first.exe\" -a \"b c\" 中文");
  EXPECT_EQ(first[0].args, (std::vector<std::wstring>{mapped + L"\\tools\\first.exe", L"-a", L"b c", L"中文"}));
  EXPECT_EQ(first[0].currentDir, mapped);
  // No arguments: the blank after the closing quote stays.
  EXPECT_EQ(third[0].commandLine, L"\"" + mapped + L"\\third.exe\" ");
  EXPECT_EQ(third[0].currentDir, mapped);
  EXPECT_TRUE(game.RecorderRuns(L"mapped\\never.exe").empty());
  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{
                                   L"ProcessPreLoad " + mapped + L"\\tools\\first.exe, Success",
                                   L"ProcessPreLoad " + mapped + L"\\third.exe, Success",
                               }));
}

TEST(PreLoadStep, ProgramsThatCannotStartAreReportedFailedAndTheListGoesOn) {
  GameFolder game;
  game.AddRecorder(L"ok.exe");
  game.WriteText(L"not-a-program.exe", L"plain text");
  game.WriteOptionFile(
      L"[PreLoad]\r\nNum=3\r\n"
      L"[PreLoad0]\r\nExe=missing\\nothing.exe\r\nWait=1\r\n"
      L"[PreLoad1]\r\nExe=not-a-program.exe\r\nWait=1\r\n"
      L"[PreLoad2]\r\nExe=ok.exe\r\nWait=1\r\n");
  RecordingStepContext context(game);
  RunPreLoad(context);
  EXPECT_EQ(game.RecorderRuns(L"ok.exe").size(), 1u);
  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{
                                   L"ProcessPreLoad " + game.File(L"missing\\nothing.exe") + L", Failed",
                                   L"ProcessPreLoad " + game.File(L"not-a-program.exe") + L", Failed",
                                   L"ProcessPreLoad " + game.File(L"ok.exe") + L", Success",
                               }));
}

TEST(PreLoadStep, NumFarAboveTheEntriesOrNegativeRunsThePresentEntriesAndEnds) {
  for (const wchar_t* num : {L"2147483647", L"-1", L"4000000000"}) {
    GameFolder game;
    game.AddRecorder(L"a.exe");
    game.AddRecorder(L"b.exe");
    game.WriteOptionFile(std::wstring(L"[PreLoad]\r\nNum=") + num +
                         L"\r\n[PreLoad0]\r\nExe=a.exe\r\nWait=1\r\n[PreLoad7]\r\nExe=b.exe\r\nWait=1\r\n");
    RecordingStepContext context(game);
    const ULONGLONG begin = ::GetTickCount64();
    RunPreLoad(context);
    EXPECT_LT(::GetTickCount64() - begin, 10000u) << num;
    EXPECT_EQ(game.RecorderRuns(L"a.exe").size(), 1u) << num;
    EXPECT_EQ(game.RecorderRuns(L"b.exe").size(), 1u) << num;
    EXPECT_EQ(context.Printed().size(), 2u) << num;
  }
}

TEST(PreLoadStep, NoNumOrZeroDoesNothing) {
  for (const wchar_t* options : {L"[PreLoad0]\r\nExe=a.exe\r\n", L"[PreLoad]\r\nNum=0\r\n[PreLoad0]\r\nExe=a.exe\r\n",
                                 L"[PreLoad]\r\nNum=abc\r\n[PreLoad0]\r\nExe=a.exe\r\n"}) {
    GameFolder game;
    game.AddRecorder(L"a.exe");
    game.WriteOptionFile(options);
    RecordingStepContext context(game);
    RunPreLoad(context);
    ::Sleep(300);
    EXPECT_TRUE(game.RecorderRuns(L"a.exe").empty());
    EXPECT_TRUE(context.Printed().empty());
  }
}
