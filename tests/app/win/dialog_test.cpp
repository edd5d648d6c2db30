// The main dialog and the progress window under Xvfb.

#include <gtest/gtest.h>

#include "launcher_scenario.h"
#include "resource.h"
#include "vtest/windows.h"

using namespace vtest;
using scenario::Has;

TEST(Dialog, TheShownDialogListsResultsCountsProgressAndTheProgressWindowEndsFull) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.AddRecorder(L"tools\\pre.exe");
  game.AddRecorder(L"game.exe");
  // IsClose keeps the windows open after the preparation, for the test to read.
  game.WriteOptionFile(L"[Main]\r\nIsShow=1\r\nIsShowMain=1\r\nIsClose=1\r\nGameExe=game.exe\r\n"
                       L"[ProcessMgr]\r\nArgc=1\r\n"
                       L"[ProcessMgr_0]\r\nArgc=4\r\nArgument_0=PreLoad\r\nArgument_1=OpenUrl\r\nArgument_2=keys\r\nArgument_3=Main\r\n"
                       L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=tools\\pre.exe\r\nWait=1\r\n");
  RunningProgram launcher = game.Start();
  ASSERT_TRUE(WaitUntil([&] { return Has(game.Log(), L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n"); }))
      << Dump(game.Log());

  std::vector<HWND> dialogs;
  ASSERT_TRUE(WaitUntil([&] {
    dialogs = TopLevelWindows(launcher.ProcessId(), L"Vorlan 游戏环境准备");
    return !dialogs.empty();
  }));
  HWND dialog = dialogs[0];
  // Every PrintInfo line, in order, in the result list and in the log.
  const std::vector<std::wstring> results = {L"ProcessPreLoad " + game.File(L"tools\\pre.exe") + L", Success",
                                             L"RunGameOption: CVorlanDlg::ProcessRunGame. Start Game..."};
  EXPECT_EQ(ListBoxLines(::GetDlgItem(dialog, IDC_RESULT_LIST)), results);
  for (const auto& line : results) EXPECT_TRUE(Has(game.Log(), L"CVorlanDlg::PrintInfo: " + line, 4));

  HWND bar = ::GetDlgItem(dialog, IDC_MAIN_PROGRESS);
  EXPECT_EQ(ProgressRange(bar), (std::pair<int, int>{0, 150}));
  // PreLoad, keys and Main move the bar on (OpenUrl does not): it shows the
  // counter before each advance, 10, 20, 30.
  EXPECT_EQ(ProgressPosition(bar), 30);

  auto progress = TopLevelWindows(launcher.ProcessId(), L"正在准备游戏");
  ASSERT_EQ(progress.size(), 1u);
  EXPECT_EQ(ProgressPosition(::GetDlgItem(progress[0], IDC_PROGRESS_BAR)), 100);
  ::Sleep(600);  // the creeping timer was stopped at Main
  EXPECT_EQ(ProgressPosition(::GetDlgItem(progress[0], IDC_PROGRESS_BAR)), 100);

  EXPECT_TRUE(SaveScreenshot(dialog, ArtifactPath(L"main-dialog.bmp")));
  EXPECT_TRUE(SaveScreenshot(progress[0], ArtifactPath(L"progress-window.bmp")));
}

TEST(Dialog, HiddenByDefaultWithoutProgressWindow) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(L"[Main]\r\nIsClose=1\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Display\r\n");
  RunningProgram launcher = game.Start();
  ASSERT_TRUE(WaitUntil([&] { return Has(game.Log(), L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n"); }));
  ::Sleep(300);
  for (HWND w : TopLevelWindows(launcher.ProcessId())) {
    wchar_t cls[64] = {};
    ::GetClassNameW(w, cls, 64);
    ADD_FAILURE() << "visible window: class " << ToUtf8(cls) << ", text " << ToUtf8(WindowText(w));
  }
}

TEST(Dialog, ProgressWindowOfModeTwoShowsOnlyBeforeTheLauncherIsInitialised) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(L"[Main]\r\nIsShowMain=2\r\nIsClose=1\r\n"
                       L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=Display\r\nArgument_1=Main\r\n");
  const auto mainEnded = [&] {
    return LinesStartingWith(game.Log(), L"CVorlanDlg::ProcessManage.已执行最终运行程序 ").size();
  };
  {
    RunningProgram launcher = game.Start();
    ASSERT_TRUE(WaitUntil([&] { return mainEnded() == 1; })) << Dump(game.Log());
    EXPECT_EQ(TopLevelWindows(launcher.ProcessId(), L"正在准备游戏").size(), 1u);
  }
  // That run wrote today's mark: the next one takes the white list and shows no progress window.
  RunningProgram launcher = game.Start();
  ASSERT_TRUE(WaitUntil([&] { return mainEnded() == 2; })) << Dump(game.Log());
  EXPECT_TRUE(Has(game.Log(), L"CVorlanDlg::ThreadProc. Executer WhiteList Now!\n"));
  ::Sleep(300);
  EXPECT_TRUE(TopLevelWindows(launcher.ProcessId(), L"正在准备游戏").empty());
}
