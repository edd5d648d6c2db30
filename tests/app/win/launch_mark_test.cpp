// The registry mark of the full preparation (HKLM\Software\ZR_Vorlan, value
// named by the executable's path) and the white-list run it leads to.

#include <gtest/gtest.h>

#include "launcher_scenario.h"
#include "vtest/registry.h"

using namespace vtest;
using scenario::Has;
using scenario::InOrder;

namespace {
constexpr wchar_t kOneStep[] =
    L"[Main]\r\nIsShow=0\r\n[Control]\r\nExclude=Copy,Map,Main\r\n"
    L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=Display\r\nArgument_1=Main\r\n";
}

TEST(LaunchMark, AFullRunWritesTodaysMarkAndTheNextRunTakesTheWhiteList) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kOneStep);

  LauncherRun first = game.Run();
  EXPECT_TRUE(Has(first.log, L"ComponentOption: CVorlanDlg::IsInitVorlan.读取游戏启动器初始化标记失败！ModuleFilePath: " + game.ExePath(), 4))
      << Dump(first.log);
  EXPECT_TRUE(Has(first.log, L"CVorlanDlg::WriteTimeToReg Succeed. " + std::to_wstring(scenario::TodayMark()), 4));
  EXPECT_EQ(scenario::ReadMark(game.ExePath()), scenario::TodayMark());
  EXPECT_TRUE(Has(first.log, L"CVorlanDlg::ProcessManage.开始执行更改显示设置"));

  LauncherRun second = game.Run();
  EXPECT_TRUE(InOrder(second.log, {L"ComponentOption: CVorlanDlg::IsInitVorlan.游戏启动器已初始化.",
                                   L"CVorlanDlg::ThreadProc. Executer WhiteList Now!\n",
                                   L"CVorlanDlg::ProcessManage.开始执行复制文件",
                                   L"CVorlanDlg::ProcessManage.开始执行磁盘映射",
                                   L"CVorlanDlg::ProcessManage.开始执行最终运行程序"}));
  EXPECT_FALSE(Has(second.log, L"CVorlanDlg::ProcessManage.开始执行更改显示设置")) << "sub-processes do not run again";
  EXPECT_TRUE(LinesStartingWith(second.log, L"CVorlanDlg::ProcessManagesMgr.").empty());
}

TEST(LaunchMark, AMarkOfAnotherDayCountsAsNotInitialised) {
  GameFolder game;
  scenario::WriteMark(game.ExePath(), 2020101);
  game.WriteOptionFile(kOneStep);
  LauncherRun run = game.Run();
  EXPECT_TRUE(Has(run.log, L"ComponentOption: CVorlanDlg::IsInitVorlan.游戏启动器未初始化.", 4)) << Dump(run.log);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ProcessManagesMgr. 子流程数量: 1", 4));
}

TEST(LaunchMark, TheMarkIsReadWhereItIsWrittenWhenTheKeyExistsInTheNativeView) {
  // A 64-bit tool made the key in the native view: the mark is written
  // there, and must be found there by the next run.
  GameFolder game;
  DeleteTree(HKEY_LOCAL_MACHINE, scenario::kMarkKey, RegView::Wow32);
  ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, scenario::kMarkKey, L"placeholder", 0, RegView::Wow64));
  game.WriteOptionFile(kOneStep);
  LauncherRun first = game.Run();
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, scenario::kMarkKey, game.ExePath(), RegView::Wow64), scenario::TodayMark());
  LauncherRun second = game.Run();
  EXPECT_TRUE(Has(second.log, L"ComponentOption: CVorlanDlg::IsInitVorlan.游戏启动器已初始化.", 4)) << Dump(second.log);
  DeleteTree(HKEY_LOCAL_MACHINE, scenario::kMarkKey, RegView::Wow64);
}

TEST(LaunchMark, WithoutTheMarkKeyTheErrorCodeIsLoggedAtLevel16) {
  GameFolder game;
  DeleteTree(HKEY_LOCAL_MACHINE, scenario::kMarkKey, RegView::Wow64);
  DeleteTree(HKEY_LOCAL_MACHINE, scenario::kMarkKey);
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=0\r\n");
  LauncherRun run = game.Run();
  EXPECT_TRUE(Has(run.log, L"ComponentOption: CVorlanDlg::IsInitVorlan. 游戏启动器未初始化. ErrorCode = 2", 16)) << Dump(run.log);
}
