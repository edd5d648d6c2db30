// Launchers started at the same moment: for two games, and the same game
// twice. One preparation runs at a time, the later start of the same
// program file ends the earlier, and the junction record file that every
// game on the PC shares comes out whole, holding every game's records.
// Wine makes no junctions: option 4 moves each game's folder aside, records
// it, and puts it back; records of folders that must stay aside are seeded.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher_scenario.h"
#include "steps/files/win/junction_records_file.h"
#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

constexpr wchar_t kRecordFile[] = L"c:\\windows\\JunctionCfgInfo.ini";
constexpr int kRounds = 4;

struct Span {
  std::string start, end;  // times of the preparation thread's first and last line
  bool waited = false;     // the start waited for the single-instance mutex
  bool ended = false;
};

Span PreparationOf(const std::vector<LogLine>& log) {
  Span span;
  for (const LogLine& line : log) {
    if (line.text.starts_with(L"CVorlanDlg::ThreadProc. Thread Start Time")) span.start = line.time;
    if (line.text.starts_with(L"CVorlanDlg::ThreadProc. Thread End Time")) {
      span.end = line.time;
      span.ended = true;
    }
    if (line.text == L"CVorlanApp::InitInstance. WaitForSingle") span.waited = true;
  }
  return span;
}

// A game whose preparation takes a while, then moves its own folder aside
// to link it. The while is a waited pre-load program, or, where a copy of
// the launcher is ended (Wine can leave a program that was being started
// by it hanging half-made), a copy of many files: enough of them that the
// first start is still preparing when the second, up to 120 ms later and
// after its own start-up, looks for older copies.
void PrepareGame(const GameFolder& game, const wchar_t* slowStep) {
  scenario::ClearLaunchMark(game);
  game.AddRecorder(L"slow.exe", {.sleepMs = 300});
  for (int i = 0; i < 1000; ++i) game.WriteText(L"many\\f" + std::to_wstring(i) + L".txt", std::wstring(2000, L'm'));
  game.WriteText(L"data\\x.txt", L"x");
  game.WriteText(L"save\\s.txt", L"s");
  game.WriteText(L"busy\\in-use.txt", L"u");
  game.WriteText(L"busy.VorlanOld\\old.txt", L"o");
  game.WriteOptionFile(L"[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=1\r\n"
                       L"[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=" + std::wstring(slowStep) +
                       L"\r\nArgument_1=Junction\r\n"
                       L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=slow.exe\r\nWait=1\r\n"
                       L"[Copy]\r\nNum=1\r\n[Copy0]\r\nSrc=many\r\nDst=" + game.File(L"copy") + L"\r\n"
                       L"[JunctionOption]\r\nNum=1\r\n[JunctionOption0]\r\nOption=4\r\nSrc=data\r\nDst=" +
                       game.File(L"save") + L"\r\n");
}

// What must hold of a game after every round: its folder back in place,
// nothing else moved aside, and its seeded record still there.
void ExpectGameIntact(const GameFolder& game, const vorlan::JunctionRecordSet& records) {
  EXPECT_EQ(ReadBytes(game.File(L"save\\s.txt")), "s");
  EXPECT_FALSE(FileExists(game.File(L"save\\x.txt")));
  EXPECT_FALSE(DirectoryExists(game.File(L"save.VorlanOld")));
  EXPECT_EQ(ReadBytes(game.File(L"busy.VorlanOld\\old.txt")), "o");
  int seeded = 0;
  for (const auto& r : records.oldFolders)
    if (r.dst == game.File(L"busy") && r.old == game.File(L"busy.VorlanOld")) ++seeded;
  EXPECT_EQ(seeded, 1) << ToUtf8(game.Path());
}

class ConcurrentStart : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    ::DeleteFileW(kRecordFile);
    DeleteTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VorlanClient", Is64BitPrefix() ? RegView::Wow64 : RegView::Native);
  }
  static void SeedRecords(const std::vector<const GameFolder*>& games) {
    JunctionRecordFile file(kRecordFile);
    for (const GameFolder* game : games)
      ASSERT_TRUE(vorlan::AppendOldFolder(file, {game->File(L"busy"), game->File(L"busy.VorlanOld")}));
  }
  static vorlan::JunctionRecordSet Records() {
    const std::string bytes = ReadBytes(kRecordFile);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "the record file is no longer the program's own";
    JunctionRecordFile file(kRecordFile);
    return vorlan::LoadRecords(file);
  }
};

}  // namespace

TEST_F(ConcurrentStart, TwoGamesAtOnceArePreparedOneAfterTheOther) {
  GameFolder a({.suffix = L".a"}), b({.suffix = L".b"});
  PrepareGame(a, L"PreLoad");
  PrepareGame(b, L"PreLoad");
  SeedRecords({&a, &b});
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    RemoveTree(a.File(L"Log"));
    RemoveTree(b.File(L"Log"));
    RunningProgram first = (round % 2 ? b : a).Start();
    RunningProgram second = (round % 2 ? a : b).Start();
    ASSERT_TRUE(first.Wait(60000));
    ASSERT_TRUE(second.Wait(60000));

    const Span sa = PreparationOf(a.Log()), sb = PreparationOf(b.Log());
    ASSERT_TRUE(sa.ended && sb.ended) << Dump(a.Log()) << Dump(b.Log());
    EXPECT_TRUE(sa.end <= sb.start || sb.end <= sa.start)
        << "the preparations overlapped: a " << sa.start << ".." << sa.end << ", b " << sb.start << ".." << sb.end;
    // The later start waits (both may, when a launcher of another test holds the mutex).
    EXPECT_TRUE(sa.waited || sb.waited) << "neither start waited for the other";
    EXPECT_TRUE(LinesStartingWith(a.Log(), L"TerminateOtherVorlan.").empty());
    EXPECT_TRUE(LinesStartingWith(b.Log(), L"TerminateOtherVorlan.").empty());
    const vorlan::JunctionRecordSet records = Records();
    ExpectGameIntact(a, records);
    ExpectGameIntact(b, records);
    EXPECT_EQ(records.oldFolders.size(), 2u);
    EXPECT_TRUE(records.junctions.empty());
  }
}

TEST_F(ConcurrentStart, TheSameGameTwiceAtOnceEndsWithOnePreparation) {
  GameFolder game;
  PrepareGame(game, L"Copy");
  SeedRecords({&game});
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    RemoveTree(game.File(L"Log"));
    // Files already copied are not copied again: each round copies them afresh.
    RemoveTree(game.File(L"copy"));
    RunningProgram first = game.Start();
    ::Sleep(round * 40);  // from together to well into the first's preparation
    RunningProgram second = game.Start();
    ASSERT_TRUE(first.Wait(60000));
    ASSERT_TRUE(second.Wait(60000));
    const std::vector<LogLine> log = game.Log();
    // One copy ends the other; the survivor's preparation runs to its end.
    EXPECT_EQ(LinesStartingWith(log, L"TerminateOtherVorlan. ProcessPath: ").size(), 1u) << Dump(log);
    EXPECT_EQ(LinesStartingWith(log, L"CVorlanDlg::ThreadProc. Thread End Time").size(), 1u) << Dump(log);
    const vorlan::JunctionRecordSet records = Records();
    ExpectGameIntact(game, records);
    EXPECT_EQ(records.oldFolders.size(), 1u);
  }
}
