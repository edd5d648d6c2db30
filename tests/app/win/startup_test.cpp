// Start-up: the command line, the current directory, other copies of the
// program and the single-instance wait.

#include <gtest/gtest.h>

#include "launcher_scenario.h"
#include "vtest/files.h"
#include "vtest/test_paths.h"

using namespace vtest;
using scenario::Has;
using scenario::InOrder;

namespace {
constexpr wchar_t kNoSteps[] = L"[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=0\r\n";

std::wstring StartLine(const std::vector<LogLine>& log) {
  auto lines = LinesStartingWith(log, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : ");
  if (lines.empty()) return L"";
  std::wstring text = lines[0].text;
  return text.substr(0, text.find(L", TickCount: "));
}
}  // namespace

TEST(Startup, GameIdIsTheNumberAfterTheStartWord) {
  GameFolder game;
  game.WriteOptionFile(kNoSteps);
  LauncherRun run = game.Run(L"NewVorlan 1234 extra words");
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::GetGameIdFromCmdLine. strCmdLine: \"" + game.ExePath() + L"\" NewVorlan 1234 extra words", 64))
      << Dump(run.log);
  EXPECT_EQ(StartLine(run.log), L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 0, GameID: 1234");
}

// Test names end up in the launcher's path: none may hold the start word.
TEST(Startup, WithoutTheStartWordTheGameIdIsZero) {
  GameFolder game;
  game.WriteOptionFile(kNoSteps);
  LauncherRun run = game.Run(L"1234");
  EXPECT_EQ(StartLine(run.log), L"CVorlanDlg::ThreadProc. Thread Start Time . Version : 0, GameID: 0") << Dump(run.log);
  EXPECT_FALSE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc. Thread End Time .  ").empty());
}

TEST(Startup, TheCurrentDirectoryBecomesTheProgramDirectory) {
  GameFolder game;
  game.WriteOptionFile(kNoSteps);
  game.MakeDir(L"elsewhere");
  LauncherRun run = game.Run(L"NewVorlan 1", {.currentDir = game.File(L"elsewhere")});
  EXPECT_TRUE(InOrder(run.log, {L"CVorlanApp::InitInstance. Current Dir " + game.File(L"elsewhere"),
                                L"CVorlanApp::InitInstance. Set Current Dir " + game.Path() + L", Success",
                                L"CVorlanApp::InitInstance. Current Dir " + game.Path()}));
  for (const auto& line : LinesStartingWith(run.log, L"CVorlanApp::InitInstance. Current Dir ")) EXPECT_EQ(line.level, 64);
  for (const auto& line : LinesStartingWith(run.log, L"CVorlanApp::InitInstance. Set Current Dir ")) EXPECT_EQ(line.level, 64);
}

TEST(Startup, WithoutAnOptionFileNothingIsPrepared) {
  GameFolder game;
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(Has(run.log, L"CVorlanDlg::OnInitDialog. Option file not found, nothing is prepared: " + game.File(L"VorlanCfg.ini"), 32))
      << Dump(run.log);
  EXPECT_TRUE(LinesStartingWith(run.log, L"CVorlanDlg::ThreadProc.").empty());
}

TEST(Startup, ARunningCopyOfTheSameProgramFileIsEndedFirst) {
  GameFolder game;
  // Both copies stay open after their preparation; the first holds the instance mutex.
  game.WriteOptionFile(L"[Main]\r\nIsClose=1\r\n[ProcessMgr]\r\nArgc=0\r\n");
  RunningProgram first = game.Start();
  ASSERT_TRUE(WaitUntil([&] { return !LinesStartingWith(game.Log(), L"CVorlanDlg::ThreadProc. Thread Start Time").empty(); }));
  ASSERT_TRUE(first.IsRunning());

  RunningProgram second = game.Start();
  const std::wstring ended = L"TerminateOtherVorlan. ProcessPath: " + game.ExePath() + L", ProcessID:" + std::to_wstring(first.ProcessId());
  EXPECT_TRUE(WaitUntil([&] { return Has(game.Log(), ended, 4); })) << Dump(game.Log());
  EXPECT_TRUE(first.Wait(5000));
  EXPECT_EQ(first.ExitCode(), 0u);
  // The second start did not have to wait for the first: its preparation ran.
  EXPECT_TRUE(WaitUntil([&] { return LinesStartingWith(game.Log(), L"CVorlanDlg::ThreadProc. Thread Start Time").size() == 2; }));
  EXPECT_TRUE(second.IsRunning());
}

TEST(Startup, ASameNamedProgramElsewhereIsLeftRunningAndWaitedFor) {
  GameFolder other({.suffix = L".other"});
  other.WriteOptionFile(L"[Main]\r\nIsClose=1\r\n[ProcessMgr]\r\nArgc=0\r\n");
  RunningProgram first = other.Start();
  ASSERT_TRUE(WaitUntil([&] { return !LinesStartingWith(other.Log(), L"CVorlanDlg::ThreadProc. Thread Start Time").empty(); }));

  GameFolder game;
  game.WriteOptionFile(kNoSteps);
  // A program whose file name merely occurs inside our own path.
  RecorderConfig lingering{.sleepMs = 20000};
  game.AddRecorder(L"lan.exe", lingering);
  RunningProgram lan;
  ASSERT_TRUE(lan.Start(L"\"" + game.File(L"lan.exe") + L"\""));

  RunningProgram second = game.Start();
  ASSERT_TRUE(WaitUntil([&] { return scenario::Has(game.Log(), L"CVorlanApp::InitInstance. WaitForSingle", 4); }))
      << Dump(game.Log());
  ::Sleep(300);
  EXPECT_TRUE(first.IsRunning()) << "a program of the same name in another folder must not be ended";
  EXPECT_TRUE(second.IsRunning()) << "the second start waits while the first holds the instance mutex";
  EXPECT_TRUE(lan.IsRunning());
  EXPECT_TRUE(LinesStartingWith(game.Log(), L"CVorlanDlg::ThreadProc.").empty());

  first.Terminate();
  ASSERT_TRUE(second.Wait(30000));
  EXPECT_FALSE(LinesStartingWith(game.Log(), L"CVorlanDlg::ThreadProc. Thread End Time").empty());
  EXPECT_TRUE(LinesStartingWith(game.Log(), L"TerminateOtherVorlan.").empty());
  EXPECT_TRUE(lan.IsRunning());
}

// Logging never decides the run: without the logging library, or with no
// log folder possible (a file named Log where it would go), the whole
// preparation runs and the game starts.
TEST(Startup, LoggingThatCannotWorkNeverStopsThePreparation) {
  struct Row {
    const wchar_t* suffix;
    bool withLogLibrary;
    bool logFolderBlocked;
  };
  for (const Row& row : {Row{L"-nolib", false, false}, Row{L"-nofolder", true, true}}) {
    SCOPED_TRACE(ToUtf8(row.suffix));
    GameFolder game(GameFolderOptions{.suffix = row.suffix, .withLogLibrary = row.withLogLibrary});
    scenario::ClearLaunchMark(game);
    game.AddRecorder(L"game.exe");
    if (row.logFolderBlocked) game.WriteText(L"Log", L"not a folder");
    game.WriteOptionFile(L"[Main]\r\nIsShow=0\r\nGameExe=game.exe\r\nParam=-x\r\n"
                         L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Main\r\n");
    LauncherRun run = game.Run();
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0u);
    const auto runs = game.WaitForRecorderRuns(L"game.exe", 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, game.File(L"game.exe") + L" -x");
    EXPECT_TRUE(run.log.empty());
    EXPECT_FALSE(DirectoryExists(game.File(L"Log")));
  }
}

// Two copies of the same program file started at the same moment must not
// end each other: a copy ends only copies started before it. Here the older
// copy is held at its creation until the newer one runs; when it goes on it
// leaves the newer one alone and waits for it.
TEST(Startup, ACopyStartedLaterIsNotEndedByAnOlderOneThatRunsLater) {
  GameFolder game;
  game.WriteOptionFile(L"[Main]\r\nIsClose=1\r\n[ProcessMgr]\r\nArgc=0\r\n");
  RunningProgram older;
  ASSERT_TRUE(older.StartSuspended(L"\"" + game.ExePath() + L"\" NewVorlan 1001"));
  ::Sleep(50);  // a later creation time
  RunningProgram newer = game.Start();
  auto started = [&](DWORD pid) {
    for (const LogLine& line : LinesStartingWith(game.Log(), L"CVorlanDlg::ThreadProc. Thread Start Time"))
      if (line.processId == pid) return true;
    return false;
  };
  ASSERT_TRUE(WaitUntil([&] { return started(newer.ProcessId()); })) << Dump(game.Log());
  // Wine cannot name the module of a process held at its creation, so the
  // newer copy did not end the older one.
  ASSERT_TRUE(older.IsRunning());

  older.Resume();
  const LogLine waited{.level = 4, .processId = older.ProcessId(), .text = L"CVorlanApp::InitInstance. WaitForSingle"};
  ASSERT_TRUE(WaitUntil([&] {
    for (const LogLine& line : game.Log())
      if (line.processId == waited.processId && line.text == waited.text && line.level == 4) return true;
    return false;
  })) << Dump(game.Log());
  EXPECT_TRUE(newer.IsRunning()) << "the older copy ended the newer one";
  EXPECT_TRUE(LinesStartingWith(game.Log(), L"TerminateOtherVorlan.").empty()) << Dump(game.Log());

  newer.Terminate();
  EXPECT_TRUE(WaitUntil([&] { return started(older.ProcessId()); })) << Dump(game.Log());
}
