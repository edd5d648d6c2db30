// The step pipeline: sub-process sections in order, steps on worker
// threads, unknown names, odd counts.

#include <gtest/gtest.h>

#include <set>

#include "launcher_scenario.h"

using namespace vtest;
using scenario::Has;
using scenario::InOrder;

namespace {
std::wstring Start(const wchar_t* step) { return std::wstring(L"CVorlanDlg::ProcessManage.") + step; }
}  // namespace

// The layout operators write: sub-process i is the section [ProcessMgr_<i>];
// [ProcessMgr] holds only the count. A key naming another section there is
// not a layout this program knows.
TEST(Pipeline, SubProcessSectionsAreNamedProcessMgrUnderscoreIndexAndTheGameStarts) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.AddRecorder(L"game.exe");
  game.MakeDir(L"save");
  game.WriteText(L"save\\slot.txt", L"slot");
  game.WriteOptionFile(
      L"[Main]\r\nGameExe=game.exe\r\n"
      L"[ProcessMgr]\r\nArgc=2\r\nProcessMgr_0=Elsewhere\r\n"
      L"[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=Copy\r\nArgument_1=keys\r\n"
      L"[ProcessMgr_1]\r\nArgc=1\r\nArgument_0=Main\r\n"
      L"[Elsewhere]\r\nArgc=1\r\nArgument_0=Display\r\n"
      L"[Copy]\r\nNum=1\r\n[Copy0]\r\nSrc=save\r\nDst=" + game.File(L"copied") + L"\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(InOrder(run.log, {
      L"CVorlanDlg::ProcessManagesMgr. 子流程数量: 2",
      L"CVorlanDlg::ProcessManagesMgr. 开始执行子流程[0]: ProcessMgr_0",
      L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_0, 流程步骤数:2",
      L"CVorlanDlg::ChildProcessManage: 流程步骤:Copy",
      Start(L"开始执行复制文件"),
      L"CVorlanDlg::ChildProcessManage: 流程步骤:keys",
      Start(L"开始执行注册CDKEY"),
      L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n",
      L"CVorlanDlg::ProcessManagesMgr. 开始执行子流程[1]: ProcessMgr_1",
      L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_1, 流程步骤数:1",
      L"CVorlanDlg::ChildProcessManage: 流程步骤:Main",
      Start(L"开始执行最终运行程序"),
      L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[1]: ProcessMgr_1 \n"}));
  EXPECT_FALSE(Has(run.log, Start(L"开始执行更改显示设置"))) << "the section named under [ProcessMgr] ran";
  EXPECT_TRUE(FileExists(game.File(L"copied\\slot.txt")));
  const auto runs = game.WaitForRecorderRuns(L"game.exe", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, game.File(L"game.exe") + L" ");
}

TEST(Pipeline, SubProcessesRunInOrderWithEveryStepLoggedAndTimed) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(
      L"[Main]\r\nIsShow=0\r\n"
      L"[ProcessMgr]\r\nArgc=2\r\n"
      L"[ProcessMgr_0]\r\nArgc=3\r\nArgument_0=Map\r\nArgument_1=keys\r\nArgument_2=Bogus\r\n"
      L"[ProcessMgr_1]\r\nArgc=2\r\nArgument_0=OpenUrl\r\nArgument_1=Display\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(InOrder(run.log, {
      L"CVorlanDlg::ProcessManagesMgr. 子流程数量: 2",
      L"CVorlanDlg::ProcessManagesMgr. 开始执行子流程[0]: ProcessMgr_0",
      L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_0, 流程步骤数:3",
      L"CVorlanDlg::ChildProcessManage: 流程步骤:Map",
      Start(L"开始执行磁盘映射"),
      L"CVorlanDlg::ChildProcessManage: 流程步骤:keys",
      Start(L"开始执行注册CDKEY"),
      L"CVorlanDlg::ChildProcessManage: 流程步骤:Bogus",
      L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n",
      L"CVorlanDlg::ProcessManagesMgr. 开始执行子流程[1]: ProcessMgr_1",
      L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_1, 流程步骤数:2",
      Start(L"开始执行打开指定URL"),
      Start(L"开始执行更改显示设置"),
      L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[1]: ProcessMgr_1 \n"}));
  // End lines carry the milliseconds and a line feed.
  auto ends = scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.已执行");
  ASSERT_EQ(ends.size(), 4u) << Dump(run.log);
  for (const auto& end : ends) EXPECT_EQ(end.back(), L'\n');
  EXPECT_EQ(ends[0].rfind(L"CVorlanDlg::ProcessManage.已执行磁盘映射 ", 0), 0u);
  for (const auto& line : run.log) {
    if (line.text.rfind(L"CVorlanDlg::ProcessManage", 0) == 0 || line.text.rfind(L"CVorlanDlg::ChildProcessManage", 0) == 0) {
      EXPECT_EQ(line.level, 4) << ToUtf8(line.text);
    }
  }
  // The unknown step runs nothing and logs nothing of its own.
  EXPECT_EQ(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.开始").size(), 4u);
}

TEST(Pipeline, PreLoadedStepsRunOnWorkersAndTheSectionWaitsForThem) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(
      L"[ProcessMgr]\r\nArgc=2\r\n"
      L"[ProcessMgr_0]\r\nArgc=3\r\nArgument_0=Copy\r\nIsPreLoad_0=1\r\nArgument_1=Display\r\nIsPreLoad_1=1\r\n"
      L"Argument_2=Compatible\r\nIsPreLoad_2=1\r\n"
      L"[ProcessMgr_1]\r\nArgc=1\r\nArgument_0=keys\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  const int sectionEnd = FindLine(run.log, L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n");
  ASSERT_GE(sectionEnd, 0) << Dump(run.log);
  std::set<unsigned long> workerThreads;
  for (const wchar_t* step : {L"Copy", L"Display", L"Compatible"}) {
    EXPECT_TRUE(Has(run.log, std::wstring(L"CVorlanDlg::CreateVorlanThread.CreateThread for ") + step, 4));
    const int begun = FindLine(run.log, std::wstring(L"CVorlanDlg::VorlanThreadProc. 开始执行: ") + step, 4);
    ASSERT_GE(begun, 0);
    workerThreads.insert(run.log[begun].threadId);
  }
  const unsigned long preparationThread = LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread Start")[0].threadId;
  EXPECT_EQ(workerThreads.size(), 3u);
  EXPECT_EQ(workerThreads.count(preparationThread), 0u);
  // Every worker's step ended before the section did.
  for (const wchar_t* end : {L"已执行复制文件 ", L"已执行更改显示设置 ", L"已执行兼容性设置 "}) {
    int at = -1;
    for (int i = 0; i < static_cast<int>(run.log.size()); ++i)
      if (run.log[i].text.rfind(std::wstring(L"CVorlanDlg::ProcessManage.") + end, 0) == 0) at = i;
    EXPECT_GE(at, 0);
    EXPECT_LT(at, sectionEnd);
  }
  EXPECT_GT(FindLine(run.log, Start(L"开始执行注册CDKEY")), sectionEnd);
}

TEST(Pipeline, MissingOrZeroArgcRunsNoStepAndEndsNormally) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(L"[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgument_0=Copy\r\n");
  LauncherRun run = game.Run();
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_0, 流程步骤数:0",
                                L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n"}));
  EXPECT_TRUE(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.开始").empty());
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread End Time .  ").empty());

  game.WriteOptionFile(L"[Main]\r\nIsShow=0\r\n");  // no [ProcessMgr] at all
  scenario::ClearLaunchMark(game);
  run = game.Run();
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ProcessManagesMgr. 子流程数量: 0", 4));
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread End Time .  ").empty());
}

TEST(Pipeline, CountsBeyondTheStepTableAreClippedWithALogLine) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=1\r\n"
                       L"[ProcessMgr_0]\r\nArgc=100000\r\nArgument_0=Display\r\nArgument_63=keys\r\nArgument_64=Copy\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_0, 流程步骤数:100000", 4));
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ChildProcessManage: ProcessMgr_0. Argc 100000 is more than the 64 steps a sub-process can hold; only the first 64 run", 32))
      << Dump(run.log);
  EXPECT_TRUE(Has(run.log, Start(L"开始执行注册CDKEY")));
  EXPECT_FALSE(Has(run.log, Start(L"开始执行复制文件")));
  EXPECT_EQ(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ChildProcessManage: 流程步骤:").size(), 64u);

  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=2147483647\r\n"
                       L"[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Display\r\n[ProcessMgr_64]\r\nArgc=1\r\nArgument_0=Copy\r\n");
  scenario::ClearLaunchMark(game);
  run = game.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ProcessManagesMgr. 子流程数量: 2147483647", 4));
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ProcessManagesMgr. Argc 2147483647 is more than the 64 sub-processes a run can hold; only the first 64 run", 32))
      << Dump(run.log);
  EXPECT_TRUE(Has(run.log, Start(L"开始执行更改显示设置")));
  EXPECT_FALSE(Has(run.log, Start(L"开始执行复制文件")));
  EXPECT_EQ(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManagesMgr. 开始执行子流程[").size(), 64u);
}

TEST(Pipeline, GarbageNegativeAndOverlongValuesNeverBreakTheRun) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  const std::wstring longName(3000, L'A');
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=3\r\n[ProcessMgr_0]\r\nArgc=abc\r\nArgument_0=Copy\r\n"
                       L"[ProcessMgr_1]\r\nArgc=-5\r\nArgument_0=Copy\r\n[ProcessMgr_2]\r\nArgc=1\r\nArgument_0=" + longName + L"\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_0, 流程步骤数:0"));
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_1, 流程步骤数:-5"));
  // Values are read into 1023 characters.
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::ChildProcessManage: 流程步骤:" + longName.substr(0, 1023))) << Dump(run.log);
  EXPECT_TRUE(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.开始").empty());
}

TEST(Pipeline, IsCloseKeepsTheProcessOpenAfterThePreparation) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(L"[Main]\r\nIsClose=1\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Display\r\n");
  RunningProgram launcher = game.Start();
  ASSERT_TRUE(WaitUntil([&] { return Has(game.Log(), L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n"); }));
  ::Sleep(500);
  EXPECT_TRUE(launcher.IsRunning());
  EXPECT_TRUE(LinesStartingWith(game.Log(), L"CVorlanDlg::ThreadProc. Thread End Time").empty());
}

TEST(Pipeline, TheWhiteListRunsExcludedStepsInTheirOrder) {
  GameFolder game;
  scenario::MarkInitialisedToday(game);
  game.WriteOptionFile(L"[Control]\r\nExclude=Copy,,Map,Main,Nope\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Display\r\n");
  LauncherRun run = game.Run();
  EXPECT_EQ(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.开始"),
            (std::vector<std::wstring>{Start(L"开始执行复制文件"), Start(L"开始执行磁盘映射"), Start(L"开始执行最终运行程序")}))
      << Dump(run.log);

  game.WriteOptionFile(L"[Control]\r\nExclude=\r\n");
  scenario::MarkInitialisedToday(game);
  run = game.Run();
  EXPECT_EQ(scenario::TextsStartingWith(run.log, L"CVorlanDlg::ProcessManage.开始"),
            (std::vector<std::wstring>{Start(L"开始执行最终运行程序")}));
}

TEST(Pipeline, AFailedGameComponentEndsTheRunAfterTellingTheCustomer) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=GameComponent\r\nArgument_1=Display\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_EQ(run.messageBoxes.size(), 1u);
  EXPECT_EQ(run.messageBoxes[0].caption, L"提示");
  EXPECT_EQ(run.messageBoxes[0].text, L"请使用Quorix游戏菜单启动游戏！");
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanDlg::ProcessManage. Begin GameComponent",
                                L"GameComponentOption: CVorlanDlg::ProcessGameComponent. Load " + game.File(L"ComponentMgr.dll") +
                                    L", Failed, 126",
                                L"CVorlanDlg::ProcessManage. Failed GameComponent"}));
  EXPECT_FALSE(Has(run.log, L"CVorlanDlg::ProcessManage. End GameComponent"));
  EXPECT_FALSE(Has(run.log, Start(L"开始执行更改显示设置")));
}

TEST(Pipeline, ASectionOfWorkersEndsOnlyAfterItsSlowestStep) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.AddRecorder(L"tools\\slow.exe", {.sleepMs = 1500});
  game.AddRecorder(L"tools\\quick.exe", {.sleepMs = 500});
  game.WriteText(L"select.ini", L"[SelectPreLoadProcess]\r\nWhichProcess=0\r\n[PreLoadAd]\r\nNum=1\r\n"
                                L"[PreLoadAd0]\r\nExe=tools\\quick.exe\r\nWait=1\r\n");
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=2\r\n"
                       L"[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=PreLoad\r\nIsPreLoad_0=1\r\n"
                       L"Argument_1=SelectPreLoadProcess\r\nIsPreLoad_1=1\r\n"
                       L"[ProcessMgr_1]\r\nArgc=1\r\nArgument_0=keys\r\n"
                       L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=tools\\slow.exe\r\nWait=1\r\n"
                       L"[SelectPreLoadProcess]\r\nIniFilePath=select.ini\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  auto slow = game.RecorderRuns(L"tools\\slow.exe");
  auto quick = game.RecorderRuns(L"tools\\quick.exe");
  ASSERT_EQ(slow.size(), 1u);
  ASSERT_EQ(quick.size(), 1u);
  // Both steps ran at the same time, each on a worker of its own.
  EXPECT_LT(quick[0].startTime, slow[0].endTime);
  EXPECT_LT(slow[0].startTime, quick[0].endTime);

  const int sectionEnd = FindLine(run.log, L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[0]: ProcessMgr_0 \n");
  const int after = FindLine(run.log, Start(L"开始执行注册CDKEY"));
  ASSERT_GE(sectionEnd, 0) << Dump(run.log);
  ASSERT_GT(after, sectionEnd);
  EXPECT_LE(slow[0].endTime, run.log[sectionEnd].time) << "the section ended while its slowest step still ran";
  EXPECT_LE(quick[0].endTime, run.log[sectionEnd].time);
}

// The last line of the run sums it up: the steps started (an unknown name is
// none), the result lines that reported a failure, the milliseconds.
TEST(Pipeline, RunEndsWithASummaryOfStepsRunAndEntriesFailed) {
  GameFolder game;
  scenario::ClearLaunchMark(game);
  game.MakeDir(L"save");
  game.WriteText(L"save\\slot.txt", L"slot");
  game.WriteOptionFile(
      L"[Main]\r\nIsShow=0\r\n"
      L"[ProcessMgr]\r\nArgc=1\r\n"
      L"[ProcessMgr_0]\r\nArgc=3\r\nArgument_0=Copy\r\nArgument_1=keys\r\nArgument_2=Bogus\r\n"
      L"[Copy]\r\nNum=2\r\n"
      L"[Copy0]\r\nSrc=save\r\nDst=" + game.File(L"copied") + L"\r\n"
      L"[Copy1]\r\nIsFile=1\r\nSrc=missing.txt\r\nDst=" + game.File(L"copied\\missing.txt") + L"\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  const std::vector<vtest::LogLine> summary = vtest::LinesStartingWith(run.log, L"SummaryOption: ");
  ASSERT_EQ(summary.size(), 1u) << vtest::Dump(run.log);
  EXPECT_EQ(summary[0].text.rfind(L"SummaryOption: CVorlanDlg::ThreadProc. Steps run 2, entries failed 1, elapsed ", 0), 0u)
      << vtest::Dump(run.log);
  EXPECT_TRUE(summary[0].text.ends_with(L" ms"));
  EXPECT_EQ(summary[0].level, 32);
  const int at = vtest::FindLine(run.log, summary[0].text);
  const std::vector<vtest::LogLine> end = vtest::LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread End Time");
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(vtest::FindLine(run.log, end[0].text), at + 1) << "the summary is written just before the end line";
}

// The option file rewritten while the run waits for a pre-load program (a
// game update arriving): the run goes on with the file as it was when it
// started, whether it is rewritten once or over and over; the next start
// reads the new file.
TEST(Pipeline, AnOptionFileRewrittenDuringTheRunTakesEffectAtTheNextStart) {
  auto optionFile = [](const wchar_t* gameExe, int steps) {
    std::wstring text = L"[Main]\r\nIsShow=0\r\nGameExe=" + std::wstring(gameExe) +
                        L"\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=" + std::to_wstring(steps) +
                        L"\r\nArgument_0=PreLoad\r\n";
    if (steps == 3) text += L"Argument_1=keys\r\nArgument_2=Main\r\n";
    if (steps == 2) text += L"Argument_1=Main\r\n";
    return text + L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=slow.exe\r\nWait=1\r\n";
  };
  for (bool overAndOver : {false, true}) {
    SCOPED_TRACE(overAndOver ? "over and over" : "once");
    GameFolder game({.suffix = overAndOver ? L".many" : L".once"});
    scenario::ClearLaunchMark(game);
    game.AddRecorder(L"slow.exe", {.sleepMs = 1500});
    game.AddRecorder(L"old.exe");
    game.AddRecorder(L"new.exe");
    game.WriteOptionFile(optionFile(L"old.exe", 2));

    RunningProgram run = game.Start();
    ASSERT_TRUE(WaitUntil([&] { return Has(game.Log(), Start(L"开始执行预处理程序")); })) << Dump(game.Log());
    int rewrites = 0;
    do {
      game.WriteOptionFile(rewrites % 2 ? optionFile(L"old.exe", 3) : optionFile(L"new.exe", 3));
      ++rewrites;
    } while (overAndOver && run.IsRunning() && rewrites < 2000);
    if (!overAndOver) game.WriteOptionFile(optionFile(L"new.exe", 3));
    ASSERT_TRUE(run.Wait(30000));
    EXPECT_EQ(run.ExitCode(), 0u);
    const std::vector<LogLine> log = game.Log();
    EXPECT_TRUE(Has(log, L"CVorlanDlg::ChildProcessManage: 流程:ProcessMgr_0, 流程步骤数:2")) << Dump(log);
    EXPECT_FALSE(Has(log, Start(L"开始执行注册CDKEY"))) << "a step of the new file ran";
    EXPECT_EQ(game.WaitForRecorderRuns(L"old.exe", 1).size(), 1u);
    EXPECT_TRUE(game.RecorderRuns(L"new.exe").empty());
    EXPECT_FALSE(LinesStartingWith(log, L"CVorlanDlg::ThreadProc. Thread End Time").empty());

    // The next start reads the file as it is now.
    game.WriteOptionFile(optionFile(L"new.exe", 3));
    scenario::ClearLaunchMark(game);
    LauncherRun next = game.Run();
    ASSERT_FALSE(next.timedOut);
    EXPECT_TRUE(Has(next.log, Start(L"开始执行注册CDKEY"))) << Dump(next.log);
    EXPECT_EQ(game.WaitForRecorderRuns(L"new.exe", 1).size(), 1u);
  }
}
