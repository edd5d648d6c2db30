// [WindowsCfg] OsCfg against the Windows that Wine reports.

#include <gtest/gtest.h>

#include "launcher_scenario.h"
#include "vtest/test_paths.h"

using namespace vtest;
using scenario::Has;

namespace {

struct Outcome {
  bool supported;
  LauncherRun run;
};

Outcome RunWith(const std::wstring& osCfg, const std::wstring& version, const std::wstring& exeName) {
  GameFolder game({.exeName = exeName, .windowsVersion = version});
  game.WriteOptionFile(L"[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=0\r\n[WindowsCfg]\r\nOsCfg=" + osCfg + L"\r\n");
  LauncherRun run = game.Run();
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  const bool refused = Has(run.log, L"CVorlanDlg::OnInitDialog. 此游戏不支持当前系统环境", 4);
  const bool finished = !LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread End Time").empty();
  EXPECT_NE(refused, finished) << Dump(run.log);
  if (refused) {
    EXPECT_EQ(run.messageBoxes.size(), 1u);
    if (!run.messageBoxes.empty()) {
      EXPECT_EQ(run.messageBoxes[0].caption, L"提示");
      EXPECT_EQ(run.messageBoxes[0].text, L"抱歉，该游戏不支持当前系统");
    }
    EXPECT_TRUE(LinesStartingWith(run.log, L"ComponentOption: CVorlanDlg::IsInitVorlan").empty()) << "no preparation after the refusal";
  } else {
    EXPECT_TRUE(run.messageBoxes.empty());
  }
  return {!refused, std::move(run)};
}

}  // namespace

TEST(OsFilter, AnEmptyLastPieceMeansEverySystem) {
  EXPECT_TRUE(RunWith(L"3,7,", L"winxp", L"VorlanXP.exe").supported);
  EXPECT_TRUE(RunWith(L"3,7,", L"win10", L"Vorlan10.exe").supported);
}

TEST(OsFilter, WindowsTenTellsThirtyTwoFromSixtyFourBit) {
  // 7 names 32-bit Windows 7 and later, 8 the 64-bit ones.
  EXPECT_EQ(RunWith(L"7", L"win10", L"Vorlan10.exe").supported, !Is64BitPrefix());
  EXPECT_EQ(RunWith(L"8", L"win10", L"Vorlan10.exe").supported, Is64BitPrefix());
}

TEST(OsFilter, WindowsSevenIsCodeSeven) {
  // Windows 7 is the prefixes' own version. (Wine 8 reports a server product
  // type when "win7" is asked for per program, so it is not asked for.)
  EXPECT_EQ(RunWith(L"7", L"", L"Vorlan.exe").supported, !Is64BitPrefix());
  EXPECT_EQ(RunWith(L"8", L"", L"Vorlan.exe").supported, Is64BitPrefix());
  EXPECT_FALSE(RunWith(L"5,6", L"", L"Vorlan.exe").supported);
}

TEST(OsFilter, WindowsXpIsCodeThree) {
  EXPECT_TRUE(RunWith(L"3", L"winxp", L"VorlanXP.exe").supported);
  EXPECT_FALSE(RunWith(L"2,4", L"winxp", L"VorlanXP.exe").supported);
  EXPECT_FALSE(RunWith(L"7,8", L"winxp", L"VorlanXP.exe").supported);
}

TEST(OsFilter, VistaIsCodeFive) {
  EXPECT_TRUE(RunWith(L"5", L"vista", L"VorlanVista.exe").supported);
  EXPECT_FALSE(RunWith(L"7,8", L"vista", L"VorlanVista.exe").supported);
}
