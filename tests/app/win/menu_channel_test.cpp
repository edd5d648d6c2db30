// Runs with the game menu present: the test plays the menu's part through
// its shared memory ("NimbraSharedMem"), as the menu would.

#include <gtest/gtest.h>

#include "app/win/share_memory_mgr.h"
#include "cafe_paths.h"
#include "launcher_scenario.h"
#include "vtest/files.h"
#include "vtest/test_paths.h"

using namespace vtest;
using scenario::Has;
using scenario::InOrder;

namespace {

std::wstring Start(const wchar_t* step) { return std::wstring(L"CVorlanDlg::ProcessManage.") + step; }

constexpr wchar_t kPipeline[] =
    L"[Control]\r\nExclude=Copy,Map,Main\r\n"
    L"[ProcessMgr]\r\nArgc=1\r\n"
    L"[ProcessMgr_0]\r\nArgc=4\r\nArgument_0=Map\r\nArgument_1=Copy\r\nArgument_2=Main\r\nArgument_3=Display\r\n";

constexpr wchar_t kServiceClass[] = L"CLSID\\{DBCB78F8-B3EA-4C44-B2E9-6AD202ACBB35}";

// The cafe's client service (a stand-in COM server registered in this
// prefix, in the registry view of the launcher, whose bitness is the test's),
// answering the launcher's version question with `version` (after a pause
// when `directive` is "hang <ms>").
void ServeClientVersion(const std::wstring& scriptDir, const std::string& version, const std::string& directive = "bstr") {
  const std::wstring server = std::wstring(kServiceClass) + L"\\InprocServer32";
  ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, server, L"", UnixToWine(CAFE_FAKE_SERVICE_DLL), RegView::Native));
  ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, server, L"ThreadingModel", L"Both", RegView::Native));
  RemoveTree(scriptDir);
  ASSERT_TRUE(MakeDirectories(scriptDir));
  ASSERT_TRUE(WriteBytes(scriptDir + L"\\reply-1.txt",
                         directive + "\n{\"JSON_TYPE\": 2147483649, \"JSON_RESULT\": 0, \"ProductVersion\": \"" + version +
                             "\", \"BcPath\": \"C:\\\\Bar\"}"));
  // The launcher inherits the variable that tells the stand-in where its script lies.
  ASSERT_TRUE(::SetEnvironmentVariableW(L"VORLAN_FAKE_CAFE_CLIENT_DIR", scriptDir.c_str()));
}

class MenuChannel : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(menu_.Create());
    ServeClientVersion(TestFolderFor(L".service"), "9.0.0");
  }

  std::pair<std::uint32_t, std::uint32_t> Entry(std::uint32_t gameId) {
    std::uint32_t runNow = 99, button = 99;
    if (!menu_.ReadEntry(gameId, runNow, button)) return {99, 99};
    return {runNow, button};
  }
  std::wstring IniValue(const GameFolder& game, const wchar_t* key) {
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(L"Main", key, L"", value, 64, game.File(L"VorlanCfg.ini").c_str());
    return value;
  }

  CShareMemoryMgr menu_;
};

}  // namespace

TEST_F(MenuChannel, WithoutRunNowTheMenuIsToldAtMainAndStartsTheGameItself) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  LauncherRun run = game.Run(L"NewVorlan 1001");
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 1, GameID: 1001,").empty())
      << Dump(run.log);
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ChildProcessManage: 流程步骤:Map",
                                L"CVorlanDlg::ChildProcessManage: Map. Continue!",
                                Start(L"开始执行复制文件"),
                                L"CVorlanDlg::ChildProcessManage: 流程步骤:Main",
                                L"CVorlanDlg::WriteTimeToReg Succeed. " + std::to_wstring(scenario::TodayMark()),
                                L"CShareMemoryMgr::NotiyCompomentComplete. GameID: 1001"}));
  EXPECT_FALSE(Has(run.log, Start(L"开始执行磁盘映射")));
  EXPECT_FALSE(Has(run.log, Start(L"开始执行最终运行程序")));
  EXPECT_FALSE(Has(run.log, L"CVorlanDlg::ChildProcessManage: 流程步骤:Display")) << "no step after Main";
  EXPECT_EQ(IniValue(game, L"IsInitComponent"), L"1");
  EXPECT_EQ(Entry(1001), (std::pair<std::uint32_t, std::uint32_t>{0, 1}));
}

TEST_F(MenuChannel, AfterTheHandOverTheDialogIsClosedEvenWithIsClose) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(std::wstring(kPipeline) + L"[Main]\r\nIsClose=1\r\n");
  LauncherRun run = game.Run(L"NewVorlan 1001", {.timeoutMs = 15000});
  EXPECT_FALSE(run.timedOut) << "the close request ends the run";
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CShareMemoryMgr::NotiyCompomentComplete. GameID: 1001")) << Dump(run.log);
}

TEST_F(MenuChannel, InitialisedWithoutTheStartWordTheLauncherStartsTheGameItself) {
  GameFolder game;
  scenario::MarkInitialisedToday(game);
  game.WriteOptionFile(std::wstring(kPipeline) + L"[Main]\r\nIsInitComponent=1\r\n");
  // Started the new way (with the word), game id 0: the menu starts the game.
  LauncherRun run = game.Run(L"NewVorlan 0");
  EXPECT_FALSE(Has(run.log, Start(L"开始执行最终运行程序"))) << Dump(run.log);
  EXPECT_EQ(IniValue(game, L"IsInitComponent"), L"1");
  // Started the old way: the launcher maps the disk and starts the game itself.
  run = game.Run(L"1001");
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 1, GameID: 0,").empty())
      << Dump(run.log);
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ThreadProc. 开始执行磁盘映射", Start(L"开始执行最终运行程序")}));
  EXPECT_EQ(IniValue(game, L"IsInitComponent"), L"0");
}

TEST_F(MenuChannel, NoLaterSubProcessRunsOnceTheMenuTakesOver) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=2\r\n"
                       L"[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Main\r\n[ProcessMgr_1]\r\nArgc=1\r\nArgument_0=Display\r\n");
  LauncherRun run = game.Run(L"NewVorlan 1001");
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CShareMemoryMgr::NotiyCompomentComplete. GameID: 1001")) << Dump(run.log);
  EXPECT_FALSE(Has(run.log, L"CVorlanDlg::ProcessManagesMgr. 开始执行子流程[1]: ProcessMgr_1"));
  EXPECT_FALSE(Has(run.log, Start(L"开始执行更改显示设置")));
}

TEST_F(MenuChannel, GameIdZeroFallsThroughToTheOrdinaryMain) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  LauncherRun run = game.Run(L"NewVorlan 0");
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ChildProcessManage: 流程步骤:Main", Start(L"开始执行最终运行程序"),
                                L"CVorlanDlg::ChildProcessManage: 流程步骤:Display"}));
  EXPECT_TRUE(LinesStartingWith(run.log, L"CShareMemoryMgr::NotiyCompomentComplete").empty());
  EXPECT_EQ(IniValue(game, L"IsInitComponent"), L"1");
}

TEST_F(MenuChannel, ARunNowRequestRunsEveryStepAndIsClearedAfterMain) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  ASSERT_TRUE(menu_.SetRunNow(1001, true));
  LauncherRun run = game.Run(L"NewVorlan 1001");
  EXPECT_TRUE(InOrder(run.log, {Start(L"开始执行磁盘映射"), Start(L"开始执行复制文件"), Start(L"开始执行最终运行程序"),
                                Start(L"开始执行更改显示设置")}));
  EXPECT_EQ(Entry(1001), (std::pair<std::uint32_t, std::uint32_t>{0, 0}));
}

TEST_F(MenuChannel, InitialisedWithoutRunNowRunsTheWhiteListWithoutMainAndMapOnce) {
  GameFolder game;
  scenario::MarkInitialisedToday(game);
  game.WriteOptionFile(std::wstring(kPipeline) + L"[Main]\r\nIsInitComponent=0\r\n");
  LauncherRun run = game.Run(L"NewVorlan 1001");
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ThreadProc.开始执行白名单(除去MainExe)", Start(L"开始执行复制文件"),
                                L"CShareMemoryMgr::NotiyCompomentComplete. GameID: 1001",
                                L"CVorlanDlg::WriteTimeToReg Succeed. " + std::to_wstring(scenario::TodayMark())}))
      << Dump(run.log);
  EXPECT_EQ(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.开始"),
            (std::vector<std::wstring>{Start(L"开始执行复制文件")}));
  EXPECT_EQ(IniValue(game, L"IsInitComponent"), L"1");
  EXPECT_EQ(Entry(1001).second, 1u);

  // The next start of the day: the white list already ran.
  run = game.Run(L"NewVorlan 1001");
  EXPECT_TRUE(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.开始").empty()) << Dump(run.log);
  EXPECT_TRUE(Has(run.log, L"CShareMemoryMgr::NotiyCompomentComplete. GameID: 1001"));
}

TEST_F(MenuChannel, InitialisedWithRunNowMapsIfListedThenStartsTheGame) {
  GameFolder game;
  scenario::MarkInitialisedToday(game);
  game.WriteOptionFile(std::wstring(kPipeline) + L"[Main]\r\nIsInitComponent=1\r\n");
  ASSERT_TRUE(menu_.SetRunNow(1001, true));
  LauncherRun run = game.Run(L"NewVorlan 1001");
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ThreadProc. 开始执行磁盘映射", L"CVorlanDlg::ThreadProc. 已执行磁盘映射",
                                Start(L"开始执行最终运行程序")}))
      << Dump(run.log);
  EXPECT_FALSE(Has(run.log, Start(L"开始执行磁盘映射")));  // the handler runs, not the dispatcher
  EXPECT_EQ(IniValue(game, L"IsInitComponent"), L"0");
  EXPECT_EQ(Entry(1001).first, 0u);
}

TEST_F(MenuChannel, InitialisedWithRunNowAndNoWhiteListYetRunsItWithMapThenMain) {
  GameFolder game;
  scenario::MarkInitialisedToday(game);
  game.WriteOptionFile(std::wstring(kPipeline) + L"[Main]\r\nIsInitComponent=0\r\n");
  ASSERT_TRUE(menu_.SetRunNow(1001, true));
  LauncherRun run = game.Run(L"NewVorlan 1001");
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ThreadProc. 开始执行白名单(除去Main)", Start(L"开始执行复制文件"),
                                Start(L"开始执行磁盘映射"), Start(L"开始执行最终运行程序")}))
      << Dump(run.log);
  EXPECT_EQ(IniValue(game, L"IsInitComponent"), L"0");
}

TEST_F(MenuChannel, AnUnsupportedSystemStillTellsTheMenu) {
  GameFolder game;
  game.WriteOptionFile(L"[WindowsCfg]\r\nOsCfg=1\r\n");
  LauncherRun run = game.Run(L"NewVorlan 1002");
  ASSERT_EQ(run.messageBoxes.size(), 1u);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::OnInitDialog. 此游戏不支持当前系统环境"));
  EXPECT_EQ(Entry(1002).second, 1u);
}

TEST_F(MenuChannel, AClientServiceOfVersionEightLeavesTheMenuUnlinked) {
  ServeClientVersion(TestFolderFor(L".service"), "8.0.9999");
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  LauncherRun run = game.Run(L"NewVorlan 1001");
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 0, GameID: 1001,").empty())
      << Dump(run.log);
  EXPECT_TRUE(InOrder(run.log, {Start(L"开始执行磁盘映射"), Start(L"开始执行复制文件"), Start(L"开始执行最终运行程序")}));
  EXPECT_EQ(Entry(1001), (std::pair<std::uint32_t, std::uint32_t>{99, 99})) << "the menu was not told anything";
}

TEST_F(MenuChannel, AClientServiceThatDoesNotAnswerIsGivenUpAndTheRunGoesOnUnlinked) {
  ServeClientVersion(TestFolderFor(L".service"), "9.0.0", "hang 120000");
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  LauncherRun run = game.Run(L"NewVorlan 1001", {.timeoutMs = 60000});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CClientService::Exchange. The client service did not answer within 5000 ms; it is not asked again", 32))
      << Dump(run.log);
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 0, GameID: 1001,").empty());
  EXPECT_TRUE(Has(run.log, Start(L"开始执行最终运行程序")));
}

TEST_F(MenuChannel, WithoutTheClientServiceTheMenuIsUnlinked) {
  DeleteTree(HKEY_CLASSES_ROOT, kServiceClass, RegView::Native);
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  LauncherRun run = game.Run(L"NewVorlan 1001");
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 0, GameID: 1001,").empty())
      << Dump(run.log);
  EXPECT_TRUE(Has(run.log, Start(L"开始执行最终运行程序")));
}

TEST_F(MenuChannel, WithoutTheClientServiceTheMenuIsStillToldAndItsRunNowCleared) {
  DeleteTree(HKEY_CLASSES_ROOT, kServiceClass, RegView::Native);
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  ASSERT_TRUE(menu_.SetRunNow(1001, true));
  LauncherRun run = game.Run(L"NewVorlan 1001");
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 0, GameID: 1001,").empty())
      << Dump(run.log);
  EXPECT_TRUE(Has(run.log, Start(L"开始执行最终运行程序")));
  EXPECT_EQ(Entry(1001).first, 0u) << "run now is cleared after Main";

  GameFolder unsupported(GameFolderOptions{.suffix = L"-os"});
  unsupported.WriteOptionFile(L"[WindowsCfg]\r\nOsCfg=1\r\n");
  run = unsupported.Run(L"NewVorlan 1002");
  ASSERT_EQ(run.messageBoxes.size(), 1u);
  EXPECT_EQ(Entry(1002).second, 1u) << "the menu hears that the game will not start";
}

TEST_F(MenuChannel, TheMenuToolRunsTheLauncherWithARunNowRequest) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(kPipeline);
  const std::wstring report = game.File(L"menu-report.txt");
  ProgramRun run = RunProgram(L"\"" + NimbraMenuExe() + L"\" --runnow 1003 --show 1003 --out \"" + report + L"\" -- \"" +
                              game.ExePath() + L"\" NewVorlan 1003");
  ASSERT_TRUE(run.started);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(ReadBytes(report), "1003 runNow=0 runNowButton=0\n");
  EXPECT_TRUE(Has(game.Log(), Start(L"开始执行磁盘映射"))) << Dump(game.Log());
}
