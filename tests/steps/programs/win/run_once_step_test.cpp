// Step "RunOnce" driven with a step context of the test's own and dates of
// the test's choosing (days to come, so that no real mark is touched).

#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/recording_step_context.h"
#include "steps/programs/win/program_launch_steps.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/registry.h"

using namespace vtest;
using vorlan::CalendarDate;
using vorlan::steps::RunRunOnce;

namespace {

std::wstring MarkKey(const CalendarDate& d) {
  return L"SOFTWARE\\VorlanCfg\\" + std::to_wstring(d.year) + L"." + std::to_wstring(d.month) + L"." +
         std::to_wstring(d.day);
}

// A day of its own for each test (and prefix run), without marks.
CalendarDate FreshDay(int year, int month, int day) {
  CalendarDate date{year, month, day};
  DeleteTree(HKEY_CURRENT_USER, MarkKey(date));
  return date;
}

// The step inherits the current directory of its process.
std::wstring EnterFolder(const GameFolder& game) {
  game.MakeDir(L"current");
  ::SetCurrentDirectoryW(game.File(L"current").c_str());
  return game.File(L"current");
}

}  // namespace

TEST(RunOnceStep, RunsOnceADayAndAgainOnTheNextDay) {
  GameFolder game;
  const std::wstring current = EnterFolder(game);
  game.AddRecorder(L"tools\\daily.exe");
  game.WriteOptionFile(L"[RunOnce]\r\nExe=tools\\daily.exe\r\nParam=-x \"y z\"\r\nWait=1\r\n");
  const CalendarDate day = FreshDay(2101, 3, 7);
  const CalendarDate nextDay = FreshDay(2101, 3, 8);

  RecordingStepContext context(game);
  RunRunOnce(context, day);
  auto runs = game.RecorderRuns(L"tools\\daily.exe");
  ASSERT_EQ(runs.size(), 1u);
  // The bare path, one blank, the arguments; the preparer's own current folder.
  EXPECT_EQ(runs[0].commandLine, game.File(L"tools\\daily.exe") + L" -x \"y z\"");
  EXPECT_EQ(runs[0].currentDir, current);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, L"SOFTWARE\\VorlanCfg\\2101.3.7", L"tools\\daily.exe"), 1u);

  // The mark key is volatile: gone at the next restart of Windows.
  HKEY child = nullptr;
  EXPECT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (MarkKey(day) + L"\\lasting").c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_CHILD_MUST_BE_VOLATILE);
  if (child) ::RegCloseKey(child);

  // Same day: nothing starts, the line says Failed.
  RunRunOnce(context, day);
  EXPECT_EQ(game.RecorderRuns(L"tools\\daily.exe").size(), 1u);

  // Next day: it runs again.
  RunRunOnce(context, nextDay);
  EXPECT_EQ(game.RecorderRuns(L"tools\\daily.exe").size(), 2u);
  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{L"ProcessRunOnce tools\\daily.exe, Success",
                                                          L"ProcessRunOnce tools\\daily.exe, Failed",
                                                          L"ProcessRunOnce tools\\daily.exe, Success"}));
  DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
  DeleteTree(HKEY_CURRENT_USER, MarkKey(nextDay));
}

TEST(RunOnceStep, AProgramThatCannotStartIsMarkedAllTheSame) {
  GameFolder game;
  EnterFolder(game);
  game.WriteOptionFile(L"[RunOnce]\r\nExe=later.exe\r\nWait=1\r\n");
  const CalendarDate day = FreshDay(2101, 4, 1);
  RecordingStepContext context(game);
  RunRunOnce(context, day);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, MarkKey(day), L"later.exe"), 1u);

  // Once it exists, the mark still keeps it from running that day.
  game.AddRecorder(L"later.exe");
  RunRunOnce(context, day);
  ::Sleep(300);
  EXPECT_TRUE(game.RecorderRuns(L"later.exe").empty());
  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{L"ProcessRunOnce later.exe, Failed",
                                                          L"ProcessRunOnce later.exe, Failed"}));
  DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
}

TEST(RunOnceStep, WaitBlocksTheStepUntilTheProgramEnds) {
  for (int wait : {1, 0}) {
    SCOPED_TRACE(wait);
    GameFolder game;
    EnterFolder(game);
    game.AddRecorder(L"patch.exe", {.sleepMs = wait ? 1500 : 3000});
    game.WriteOptionFile(L"[RunOnce]\r\nExe=patch.exe\r\nWait=" + std::to_wstring(wait) + L"\r\n");
    const CalendarDate day = FreshDay(2101, 5, 1 + wait);
    RecordingStepContext context(game);
    const ULONGLONG begin = ::GetTickCount64();
    RunRunOnce(context, day);
    const ULONGLONG took = ::GetTickCount64() - begin;
    auto runs = game.RecorderRuns(L"patch.exe");
    if (wait) {
      ASSERT_EQ(runs.size(), 1u);
      EXPECT_FALSE(runs[0].endTime.empty());
      EXPECT_GE(took, 1400u);
    } else {
      EXPECT_LT(took, 2500u);
      EXPECT_EQ(game.WaitForRecorderRuns(L"patch.exe", 1).size(), 1u);
    }
    DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
  }
}

TEST(RunOnceStep, APathWithABlankStartsTheConfiguredProgramNotAnother) {
  GameFolder game;
  EnterFolder(game);
  game.AddRecorder(L"My Tools\\daily.exe");
  // What Windows would start for the bare "...\My Tools\daily.exe".
  game.AddRecorder(L"My.exe");
  game.WriteOptionFile(L"[RunOnce]\r\nExe=My Tools\\daily.exe\r\nParam=-x\r\nWait=1\r\n");
  const CalendarDate day = FreshDay(2101, 6, 1);
  RecordingStepContext context(game);
  RunRunOnce(context, day);
  auto runs = game.RecorderRuns(L"My Tools\\daily.exe");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, L"\"" + game.File(L"My Tools\\daily.exe") + L"\" -x");
  EXPECT_TRUE(game.RecorderRuns(L"My.exe").empty());
  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"ProcessRunOnce My Tools\\daily.exe, Success"});
  DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
}

TEST(RunOnceStep, AProgramWrittenWithItsOwnSwitchesKeepsThem) {
  GameFolder game;
  EnterFolder(game);
  game.AddRecorder(L"tools\\setup.exe");
  game.WriteOptionFile(L"[RunOnce]\r\nExe=tools\\setup.exe /silent\r\nParam=-q\r\nWait=1\r\n");
  const CalendarDate day = FreshDay(2101, 6, 2);
  RecordingStepContext context(game);
  RunRunOnce(context, day);
  auto runs = game.RecorderRuns(L"tools\\setup.exe");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, game.File(L"tools\\setup.exe") + L" /silent -q");
  EXPECT_EQ(runs[0].args, (std::vector<std::wstring>{game.File(L"tools\\setup.exe"), L"/silent", L"-q"}));
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, MarkKey(day), L"tools\\setup.exe /silent"), 1u);
  DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
}

TEST(RunOnceStep, NoExeDoesNothing) {
  GameFolder game;
  EnterFolder(game);
  game.AddRecorder(L"tool.exe");
  game.WriteOptionFile(L"[RunOnce]\r\nExe=\r\nParam=tool.exe\r\n");
  const CalendarDate day = FreshDay(2101, 7, 1);
  RecordingStepContext context(game);
  RunRunOnce(context, day);
  EXPECT_TRUE(context.Printed().empty());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, MarkKey(day)));
  ::Sleep(300);
  EXPECT_TRUE(game.RecorderRuns(L"tool.exe").empty());
}
