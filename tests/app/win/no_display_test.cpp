// A PC where the launcher cannot make windows (CTest runs this case without
// an X display, so Wine creates no window at all).

#include <gtest/gtest.h>

#include "launcher_scenario.h"

using namespace vtest;
using scenario::Has;

TEST(NoDisplay, ThePreparationRunsAllTheSame) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.AddRecorder(L"game.exe");
  game.WriteOptionFile(L"[Main]\r\nIsShow=1\r\nIsShowMain=1\r\nGameExe=game.exe\r\nParam=-x\r\n[ProcessMgr]\r\nArgc=1\r\n"
                       L"[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=Display\r\nArgument_1=Main\r\n");
  LauncherRun run = game.Run(L"NewVorlan 1001", {.timeoutMs = 30000});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::Run. The dialog window cannot be created").empty()) << Dump(run.log);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ProcessManage.开始执行更改显示设置"));
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ProcessManage.开始执行最终运行程序"));
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread End Time").empty());
  // The game itself is started, with its parameters.
  const auto runs = game.WaitForRecorderRuns(L"game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, game.File(L"game.exe") + L" -x");
}
