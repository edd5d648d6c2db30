// Step "SelectPreLoadProcess" driven with a step context of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/recording_step_context.h"
#include "steps/programs/win/program_launch_steps.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"

using namespace vtest;
using vorlan::steps::RunSelectPreload;

namespace {

// A select file with both lists: PreLoadAd runs ad.exe (and skips an empty
// entry), PreLoadType runs type.exe, waited for.
void WriteBothLists(const GameFolder& game, std::wstring_view relative, std::wstring_view whichProcess) {
  game.WriteText(relative, L"[SelectPreLoadProcess]\r\n" + std::wstring(whichProcess) +
                               L"\r\n"
                               L"[PreLoadAd]\r\nNum=2\r\n"
                               L"[PreLoadAd0]\r\nExe=\r\n"
                               L"[PreLoadAd1]\r\nExe=lists\\ad.exe\r\nParam=--ad\r\n"
                               L"[PreLoadType]\r\nNum=1\r\n"
                               L"[PreLoadType0]\r\nExe=lists\\type.exe\r\nWait=1\r\n");
}

}  // namespace

TEST(SelectPreloadStep, WhichProcessChoosesTheList) {
  struct Case {
    const wchar_t* whichProcess;
    int adRuns;
    int typeRuns;
  };
  for (Case c : {Case{L"WhichProcess=0", 1, 0}, Case{L"", 1, 0}, Case{L"WhichProcess=1", 0, 1},
                 Case{L"WhichProcess=2", 0, 0}, Case{L"WhichProcess=-1", 0, 0}}) {
    SCOPED_TRACE(c.whichProcess);
    GameFolder game;
    const std::wstring mapped = game.File(L"mapped");
    game.AddRecorder(L"mapped\\lists\\ad.exe");
    game.AddRecorder(L"mapped\\lists\\type.exe", {.sleepMs = 800});
    // Relative to the executable's folder, not to the (mapped) program directory.
    WriteBothLists(game, L"cfg\\select.ini", c.whichProcess);
    game.WriteOptionFile(
        L"[SelectPreLoadProcess]\r\nIniFilePath=\\cfg\\select.ini\r\n"
        L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=lists\\ad.exe\r\n");
    ::SetFileAttributesW(game.File(L"cfg\\select.ini").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_NE(::GetFileAttributesW(game.File(L"cfg\\select.ini").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    RecordingStepContext context(game, mapped);
    RunSelectPreload(context);

    EXPECT_EQ(context.SelectFilePath(), game.File(L"cfg\\select.ini"));
    EXPECT_EQ(
        ::GetFileAttributesW(game.File(L"cfg\\select.ini").c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
        0u);
    std::vector<std::wstring> expected;
    if (c.adRuns) {
      auto ad = game.WaitForRecorderRuns(L"mapped\\lists\\ad.exe", 1);
      ASSERT_EQ(ad.size(), 1u);
      EXPECT_EQ(ad[0].commandLine, L"\"" + mapped + L"\\lists\\ad.exe\" --ad");
      EXPECT_EQ(ad[0].currentDir, mapped);
      expected.push_back(L"SelectPreloadProcess " + mapped + L"\\lists\\ad.exe, Success");
    }
    if (c.typeRuns) {
      // Waited for, as the select file's entry says.
      auto type = game.RecorderRuns(L"mapped\\lists\\type.exe");
      ASSERT_EQ(type.size(), 1u);
      EXPECT_FALSE(type[0].endTime.empty());
      EXPECT_EQ(type[0].commandLine, L"\"" + mapped + L"\\lists\\type.exe\" ");
      expected.push_back(L"SelectPreloadProcess " + mapped + L"\\lists\\type.exe, Success");
    }
    ::Sleep(c.adRuns ? 0 : 300);
    EXPECT_EQ(static_cast<int>(game.RecorderRuns(L"mapped\\lists\\ad.exe").size()), c.adRuns);
    EXPECT_EQ(static_cast<int>(game.RecorderRuns(L"mapped\\lists\\type.exe").size()), c.typeRuns);
    EXPECT_EQ(context.Printed(), expected);
  }
}

TEST(SelectPreloadStep, MissingSelectFileOrNoPathRunsNothing) {
  GameFolder game;
  game.AddRecorder(L"lists\\ad.exe");
  game.WriteOptionFile(L"[SelectPreLoadProcess]\r\nIniFilePath=cfg\\absent.ini\r\n");
  RecordingStepContext missing(game);
  RunSelectPreload(missing);
  EXPECT_EQ(missing.SelectFilePath(), game.File(L"cfg\\absent.ini"));
  EXPECT_TRUE(missing.Printed().empty());

  WriteBothLists(game, L"select.ini", L"WhichProcess=0");
  game.WriteOptionFile(L"[SelectPreLoadProcess]\r\nIniFilePath=\r\n");
  RecordingStepContext noPath(game);
  RunSelectPreload(noPath);
  EXPECT_EQ(noPath.SelectFilePath(), L"");
  EXPECT_TRUE(noPath.Printed().empty());
  ::Sleep(300);
  EXPECT_TRUE(game.RecorderRuns(L"lists\\ad.exe").empty());
}

TEST(SelectPreloadStep, ListEntriesThatCannotStartAreReportedFailed) {
  GameFolder game;
  game.AddRecorder(L"last.exe");
  game.WriteText(L"select.ini",
                 L"[SelectPreLoadProcess]\r\nWhichProcess=1\r\n"
                 L"[PreLoadType]\r\nNum=999999999\r\n"
                 L"[PreLoadType0]\r\nExe=gone.exe\r\nWait=1\r\n"
                 L"[PreLoadType3]\r\nExe=last.exe\r\nWait=1\r\n");
  game.WriteOptionFile(L"[SelectPreLoadProcess]\r\nIniFilePath=select.ini\r\n");
  RecordingStepContext context(game);
  RunSelectPreload(context);
  EXPECT_EQ(game.RecorderRuns(L"last.exe").size(), 1u);
  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{
                                   L"SelectPreloadProcess " + game.File(L"gone.exe") + L", Failed",
                                   L"SelectPreloadProcess " + game.File(L"last.exe") + L", Success",
                               }));
}
