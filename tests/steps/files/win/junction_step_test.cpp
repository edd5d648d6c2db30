// Step "Junction" end to end. Wine 8 cannot create junctions (the volume
// does not report reparse-point support), so here the link options 0, 1 and
// 3 always take their copy fallback and option 4 puts the old folder back;
// the junction itself is checked byte for byte in the native tests.
// The record file c:\windows\JunctionCfgInfo.ini and the client probe's key
// are global to the prefix: these tests hold the "junction-records" lock.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win/scoped_resource.h"
#include "step_run.h"
#include "vtest/files.h"
#include "vtest/recorder_runs.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;
using steptest::OptionFileRunning;
using steptest::RunLauncher;
using steptest::TextsAtLevel;

namespace {

constexpr wchar_t kStart[] = L"CVorlanDlg::ProcessManage.开始执行重定向";
constexpr wchar_t kEnd[] = L"CVorlanDlg::ProcessManage.已执行重定向";
constexpr wchar_t kRecordFile[] = L"c:\\windows\\JunctionCfgInfo.ini";
constexpr wchar_t kProbeKey[] = L"SOFTWARE\\VorlanClient";
constexpr wchar_t kJunctionText[] =
    L"JunctionOption: CVorlanDlg::ProcessJunctionFileMgr. 无盘普通用户或有盘还原用户，采用[Junction]";
constexpr wchar_t kJunctionOptionText[] =
    L"JunctionOption: CVorlanDlg::ProcessJunctionFileMgr. 无盘超管用户或有盘非还原用户，采用[JunctionOption]";

RegView ProbeView() { return Is64BitPrefix() ? RegView::Wow64 : RegView::Native; }

std::wstring Report(const std::wstring& second, const std::wstring& first, const wchar_t* result) {
  return L"CVorlanDlg::PrintInfo: JunctionOption: CVorlanDlg::JuntionFileProcess. Junction " + second + L" --> " +
         first + L", " + result;
}

std::wstring BecameCopy(const std::wstring& src, const std::wstring& dst) {
  return L"JunctionOption: CVorlanDlg::OptionCreateLink. Junction Become Copy, Src " + src + L" --> " + dst;
}

std::wstring RecordValue(const std::wstring& section, const std::wstring& key) {
  wchar_t value[1024] = {};
  ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value, 1024, kRecordFile);
  return value;
}

class JunctionStep : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    ::DeleteFileW(kRecordFile);
    DeleteTree(HKEY_LOCAL_MACHINE, kProbeKey, ProbeView());
  }

  static std::vector<LogLine> Lines(const LauncherRun& run) { return steptest::StepLines(run, kStart, kEnd); }

  static void MakeGameData(const GameFolder& game) {
    game.WriteText(L"data\\x.txt", L"x");
    game.WriteText(L"data\\sub\\y.txt", L"y");
  }
};

}  // namespace

TEST_F(JunctionStep, VariantFollowsClientTypeAndDiskProtection) {
  struct Case {
    const wchar_t* name;
    int clientType;              // -1: not set
    const wchar_t* protectedDrives;  // null: not set
    bool junction;
  };
  const Case cases[] = {
      {L"none", -1, nullptr, false},  {L"type2", 2, nullptr, true},  {L"type1", 1, nullptr, false},
      {L"CE", -1, L"CE", true},       {L"ce", -1, L"ce", true},      {L"C", -1, L"C", false},
      {L"E", -1, L"DE", false},       {L"type1CE", 1, L"CE", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.name));
    Clean();
    if (c.clientType >= 0) WriteDword(HKEY_LOCAL_MACHINE, kProbeKey, L"ClientType", c.clientType, ProbeView());
    if (c.protectedDrives) WriteString(HKEY_LOCAL_MACHINE, kProbeKey, L"ProtectedDrives", c.protectedDrives, ProbeView());
    GameFolder game({.suffix = std::wstring(L".") + c.name});
    MakeGameData(game);
    game.WriteOptionFile(OptionFileRunning(L"Junction",
        L"[JunctionOption]\nNum=1\n[JunctionOption0]\nOption=2\nSrc=data\nDst=" + game.File(L"byOption") + L"\n"
        L"[Junction]\nNum=1\n[Junction0]\nOption=2\nSrc=data\nDst=" + game.File(L"byJunction") + L"\n"));
    LauncherRun run = RunLauncher(game);
    const auto lines = Lines(run);
    ASSERT_FALSE(lines.empty()) << Dump(run.log);
    EXPECT_EQ(lines[0].text, c.junction ? kJunctionText : kJunctionOptionText);
    EXPECT_EQ(lines[0].level, 4);
    EXPECT_EQ(DirectoryExists(game.File(L"byJunction")), c.junction);
    EXPECT_EQ(DirectoryExists(game.File(L"byOption")), !c.junction);
  }
}

TEST_F(JunctionStep, JunctionOptionWithoutEntriesRunsTheJunctionSections) {
  GameFolder game;
  MakeGameData(game);
  game.WriteOptionFile(OptionFileRunning(L"Junction",
      L"[JunctionOption]\nNum=0\n[JunctionOption0]\nOption=2\nSrc=data\nDst=" + game.File(L"byOption") + L"\n"
      L"[Junction]\nNum=1\n[Junction0]\nOption=2\nSrc=data\nDst=" + game.File(L"byJunction") + L"\n"));
  LauncherRun run = RunLauncher(game);
  const auto lines = Lines(run);
  EXPECT_EQ(TextsAtLevel(lines, 4),
            (std::vector<std::wstring>{kJunctionOptionText, Report(game.File(L"data"), game.File(L"byJunction"), L"Success")}))
      << Dump(run.log);
  EXPECT_EQ(ReadBytes(game.File(L"byJunction\\sub\\y.txt")), "y");
  EXPECT_FALSE(DirectoryExists(game.File(L"byOption")));
}

// Wine cannot make junctions: options 0, 1 and 3 copy the tree instead.
TEST_F(JunctionStep, LinkOptionsTakeTheCopyFallbackUnderWine) {
  GameFolder game;
  MakeGameData(game);
  game.WriteText(L"existing\\mine.txt", L"mine");
  wchar_t appdata[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"APPDATA", appdata, MAX_PATH);
  const std::wstring inProfile = std::wstring(appdata) + L"\\VorlanJunctionTest-" + PrefixKind();
  RemoveTree(inProfile);
  game.WriteOptionFile(OptionFileRunning(L"Junction",
      L"[JunctionOption]\nNum=5\n"
      L"[JunctionOption0]\nOption=0\nSrc=data\nDst=$CSIDL_APPDATA$\\VorlanJunctionTest-" + PrefixKind() + L"\n"
      L"[JunctionOption1]\nOption=1\nSrc=data\nDst=" + game.File(L"existing") + L"\n"
      L"[JunctionOption2]\nOption=3\nSrc=\\data\nDst=" + game.File(L"new\\deep") + L"\n"
      L"[JunctionOption3]\nOption=0\nSrc=no-such-folder\nDst=" + game.File(L"nothing") + L"\n"
      L"[JunctionOption4]\nOption=7\nSrc=data\nDst=" + game.File(L"unknown-option") + L"\n"));
  LauncherRun run = RunLauncher(game);

  const std::wstring data = game.File(L"data");
  EXPECT_EQ(TextsAtLevel(Lines(run), 4),
            (std::vector<std::wstring>{
                kJunctionOptionText,
                BecameCopy(data, inProfile), Report(data, inProfile, L"Success"),
                BecameCopy(data, game.File(L"existing")), Report(data, game.File(L"existing"), L"Success"),
                BecameCopy(data, game.File(L"new\\deep")), Report(data, game.File(L"new\\deep"), L"Success"),
                Report(game.File(L"no-such-folder"), game.File(L"nothing"), L"Failed"),
                Report(data, game.File(L"unknown-option"), L"Failed")}))
      << Dump(run.log);
  EXPECT_EQ(ReadBytes(inProfile + L"\\sub\\y.txt"), "y");
  EXPECT_EQ(ReadBytes(game.File(L"existing\\mine.txt")), "mine");
  EXPECT_EQ(ReadBytes(game.File(L"existing\\x.txt")), "x");
  EXPECT_EQ(ReadBytes(game.File(L"new\\deep\\x.txt")), "x");
  EXPECT_FALSE(DirectoryExists(game.File(L"unknown-option")));
  // No junction was made, so none is recorded.
  EXPECT_EQ(RecordValue(L"Junction_0", L"Dst"), L"");
  RemoveTree(inProfile);
}

TEST_F(JunctionStep, OptionTwoCopiesTheTreeAndSaysSoAtLevel64) {
  GameFolder game;
  MakeGameData(game);
  game.WriteText(L"dst\\mine.txt", L"mine");
  game.WriteOptionFile(OptionFileRunning(L"Junction",
      L"[JunctionOption]\nNum=2\n"
      L"[JunctionOption0]\nOption=2\nSrc=data\nDst=" + game.File(L"dst") + L"\n"
      L"[JunctionOption1]\nOption=2\nSrc=missing\nDst=" + game.File(L"dst2") + L"\n"));
  LauncherRun run = RunLauncher(game);
  const auto lines = Lines(run);
  EXPECT_EQ(TextsAtLevel(lines, 64),
            std::vector<std::wstring>{L"JunctionOption: CVorlanDlg::OptionCopy. Junction Become Copy, Src " +
                                      game.File(L"data") + L" --> " + game.File(L"dst")})
      << Dump(run.log);
  EXPECT_EQ(TextsAtLevel(lines, 4),
            (std::vector<std::wstring>{kJunctionOptionText, Report(game.File(L"data"), game.File(L"dst"), L"Success"),
                                       Report(game.File(L"missing"), game.File(L"dst2"), L"Failed")}))
      << Dump(run.log);
  EXPECT_EQ(ReadBytes(game.File(L"dst\\mine.txt")), "mine");
  EXPECT_EQ(ReadBytes(game.File(L"dst\\sub\\y.txt")), "y");
}

// The copies in place of a junction leave the files already there alone, as
// the "Copy" step does, and put back a file the game changed.
TEST_F(JunctionStep, CopiesAgainLeaveTheFilesAlreadyThereAndPutBackAChangedOne) {
  GameFolder game;
  MakeGameData(game);
  game.WriteOptionFile(OptionFileRunning(L"Junction",
      L"[JunctionOption]\nNum=2\n"
      L"[JunctionOption0]\nOption=0\nSrc=data\nDst=" + game.File(L"linked") + L"\n"
      L"[JunctionOption1]\nOption=2\nSrc=data\nDst=" + game.File(L"copied") + L"\n"));
  LauncherRun first = RunLauncher(game);
  ASSERT_EQ(ReadBytes(game.File(L"linked\\sub\\y.txt")), "y") << Dump(first.log);
  ASSERT_EQ(ReadBytes(game.File(L"copied\\sub\\y.txt")), "y") << Dump(first.log);

  // The game rewrote one copy of y.txt and holds the other copy of x.txt open
  // without sharing: copying x.txt again would fail, and be named at level 32.
  game.WriteText(L"linked\\sub\\y.txt", L"Y");
  game.WriteText(L"copied\\sub\\y.txt", L"Y");
  std::vector<OS::ScopedHandle> held;
  for (const wchar_t* name : {L"linked\\x.txt", L"copied\\x.txt"}) {
    held.emplace_back(::CreateFileW(game.File(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.back()) << ToUtf8(name);
  }
  LauncherRun second = RunLauncher(game);
  held.clear();

  const auto lines = Lines(second);
  const std::wstring data = game.File(L"data");
  EXPECT_EQ(TextsAtLevel(lines, 4),
            (std::vector<std::wstring>{kJunctionOptionText, BecameCopy(data, game.File(L"linked")),
                                       Report(data, game.File(L"linked"), L"Success"),
                                       Report(data, game.File(L"copied"), L"Success")}))
      << Dump(second.log);
  EXPECT_TRUE(TextsAtLevel(lines, 32).empty()) << Dump(second.log);
  EXPECT_EQ(ReadBytes(game.File(L"linked\\sub\\y.txt")), "y");
  EXPECT_EQ(ReadBytes(game.File(L"copied\\sub\\y.txt")), "y");
}

// Wine cannot make the junction, so the folder moved aside comes straight back.
TEST_F(JunctionStep, OptionFourPutsTheOldFolderBackWhenTheJunctionCannotBeMade) {
  GameFolder game;
  MakeGameData(game);
  game.WriteText(L"save\\a.txt", L"a");
  game.WriteText(L"save\\sub\\b.txt", L"b");
  game.WriteOptionFile(OptionFileRunning(L"Junction",
      L"[JunctionOption]\nNum=2\n"
      L"[JunctionOption0]\nOption=4\nSrc=data\nDst=" + game.File(L"save") + L"\n"
      L"[JunctionOption1]\nOption=4\nSrc=data\nDst=" + game.File(L"absent") + L"\n"));
  LauncherRun run = RunLauncher(game);
  const std::wstring save = game.File(L"save");
  EXPECT_EQ(TextsAtLevel(Lines(run), 4),
            (std::vector<std::wstring>{
                kJunctionOptionText,
                L"JunctionOption: CVorlanDlg::OldFileMgr. Move Old Folder " + save + L" --> " + save + L".VorlanOld, Success",
                L"JunctionOption: CVorlanDlg::OldFileMgr. Junction Failed, Restore Old Folder " + save + L".VorlanOld --> " +
                    save + L", Success",
                Report(game.File(L"data"), save, L"Failed"), Report(game.File(L"data"), game.File(L"absent"), L"Failed")}))
      << Dump(run.log);
  EXPECT_EQ(ReadBytes(game.File(L"save\\a.txt")), "a");
  EXPECT_EQ(ReadBytes(game.File(L"save\\sub\\b.txt")), "b");
  EXPECT_FALSE(FileExists(game.File(L"save\\x.txt")));
  EXPECT_FALSE(DirectoryExists(save + L".VorlanOld"));
  EXPECT_FALSE(DirectoryExists(game.File(L"absent")));
  EXPECT_EQ(RecordValue(L"OldFolders", L"Num"), L"0");
}

TEST_F(JunctionStep, OptionFiveRunsTheProgramFromTheGameFolderAndReportsItsStart) {
  GameFolder game;
  game.AddRecorder(L"tools\\setup.exe", {.sleepMs = 800});
  game.AddRecorder(L"tools\\slow.exe", {.sleepMs = 2500});
  game.AddRecorder(L"MSIEXEC.EXE");  // found beside the launcher before the system's own
  game.WriteText(L"pkg\\game.msi", L"not really a package");
  game.WriteOptionFile(OptionFileRunning(L"Junction",
      L"[JunctionOption]\nNum=6\n"
      L"[JunctionOption0]\nOption=5\nRunName=tools\\setup.exe\nRunParam=/S /D=C:\\x\nmsi=0\nWait=1\n"
      L"[JunctionOption1]\nOption=5\nRunName=pkg\\game.msi\nRunParam=/qn\nmsi=1\n"
      L"[JunctionOption2]\nOption=5\nRunName=pkg\\game.msi\nRunParam=/qn\nmsi=2\n"
      L"[JunctionOption3]\nOption=5\nRunName=tools\\missing.exe\n"
      L"[JunctionOption4]\nOption=5\nRunParam=/x\n"
      L"[JunctionOption5]\nOption=5\nRunName=tools\\slow.exe\nWait=0\n"));
  LauncherRun run = RunLauncher(game);

  const std::wstring setup = game.File(L"tools\\setup.exe");
  const std::wstring msi = game.File(L"pkg\\game.msi");
  const std::wstring missing = game.File(L"tools\\missing.exe");
  const std::wstring slow = game.File(L"tools\\slow.exe");
  const std::wstring msiCommand = L"MSIEXEC.EXE /i \"" + msi + L"\" /qn";
  const auto lines = Lines(run);
  EXPECT_EQ(TextsAtLevel(lines, 4),
            (std::vector<std::wstring>{
                kJunctionOptionText,
                L"CVorlanDlg::PrintInfo: 运行自解压 " + setup + L", Success, " + setup + L" /S /D=C:\\x",
                Report(L"/S /D=C:\\x", setup, L"Success"),
                L"CVorlanDlg::PrintInfo: 运行自解压 " + msi + L", Success, " + msiCommand,
                Report(L"/qn", msi, L"Success"),
                Report(L"/qn", msi, L"Success"),  // msi 2 runs nothing, and that is no failure
                L"CVorlanDlg::PrintInfo: 运行自解压 " + missing + L", Failed, " + missing,
                Report(L"", missing, L"Failed"),
                L"CVorlanDlg::PrintInfo: 运行自解压 " + slow + L", Success, " + slow,
                Report(L"", slow, L"Success")}))
      << Dump(run.log);

  auto setupRuns = game.RecorderRuns(L"tools\\setup.exe");
  ASSERT_EQ(setupRuns.size(), 1u);
  EXPECT_EQ(setupRuns[0].commandLine, setup + L" /S /D=C:\\x");
  EXPECT_EQ(setupRuns[0].currentDir, game.Path());
  // Waited for: it ended before the step reported it.
  ASSERT_GE(lines.size(), 3u);
  EXPECT_FALSE(setupRuns[0].endTime.empty());
  EXPECT_LE(setupRuns[0].endTime, lines[2].time);

  ASSERT_TRUE(steptest::WaitForFile(game.File(L"MSIEXEC.EXE.rec"), 10000));
  auto msiRuns = game.RecorderRuns(L"MSIEXEC.EXE");
  ASSERT_EQ(msiRuns.size(), 1u);
  EXPECT_EQ(msiRuns[0].commandLine, msiCommand);
  EXPECT_EQ(msiRuns[0].currentDir, game.Path());

  // Not waited for: the step ended while the program still ran.
  const int end = FindLine(run.log, kEnd, -1);
  std::vector<RecorderRun> slowRuns;
  for (int i = 0; i < 100 && (slowRuns.empty() || slowRuns[0].endTime.empty()); ++i) {
    ::Sleep(100);
    slowRuns = game.RecorderRuns(L"tools\\slow.exe");
  }
  ASSERT_EQ(slowRuns.size(), 1u);
  const auto stepEnd = std::find_if(run.log.begin(), run.log.end(),
                                    [](const LogLine& l) { return l.text.rfind(kEnd, 0) == 0; });
  ASSERT_NE(stepEnd, run.log.end());
  EXPECT_LT(stepEnd->time, slowRuns[0].endTime);
  (void)end;
}

TEST_F(JunctionStep, RecordsOfAnEarlierRunAreUndoneAndNothingElseIsTouched) {
  GameFolder game;
  game.WriteText(L"plain\\keep.txt", L"keep");
  game.WriteText(L"cfg.VorlanOld\\a.txt", L"a");
  game.WriteText(L"busy.VorlanOld\\b.txt", L"b");
  game.WriteText(L"busy\\game.txt", L"game");
  game.WriteText(L"empty.VorlanOld\\e.txt", L"e");
  game.MakeDir(L"empty");  // what removing a junction leaves behind
  game.WriteText(L"stray.VorlanOld\\s.txt", L"s");  // not recorded: never touched
  // As an earlier run on Windows left them (written here without the program's help).
  auto put = [](const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    ASSERT_TRUE(::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), kRecordFile));
  };
  put(L"Junctions", L"Num", L"1");
  put(L"Junction_0", L"Dst", game.File(L"plain"));
  put(L"Junction_0", L"Src", game.File(L"data"));
  put(L"Junction_0", L"Made", L"1");
  put(L"OldFolders", L"Num", L"4");
  put(L"OldFolder_0", L"Dst", game.File(L"cfg"));
  put(L"OldFolder_0", L"Old", game.File(L"cfg.VorlanOld"));
  put(L"OldFolder_1", L"Dst", game.File(L"busy"));
  put(L"OldFolder_1", L"Old", game.File(L"busy.VorlanOld"));
  put(L"OldFolder_2", L"Dst", game.File(L"gone"));
  put(L"OldFolder_2", L"Old", game.File(L"gone.VorlanOld"));
  put(L"OldFolder_3", L"Dst", game.File(L"empty"));
  put(L"OldFolder_3", L"Old", game.File(L"empty.VorlanOld"));
  game.WriteOptionFile(OptionFileRunning(L"Junction", L"[Junction]\nNum=0\n"));
  LauncherRun run = RunLauncher(game);

  const auto lines = Lines(run);
  const std::wstring area = L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. ";
  EXPECT_EQ(Texts(lines),
            (std::vector<std::wstring>{
                kJunctionOptionText,
                area + L"No junction at " + game.File(L"plain") + L" any more",
                area + L"Restore Old Folder " + game.File(L"empty.VorlanOld") + L" --> " + game.File(L"empty") + L", Success",
                area + L"The folder moved aside is gone: " + game.File(L"gone.VorlanOld"),
                area + game.File(L"busy") + L" is in use, the old folder stays at " + game.File(L"busy.VorlanOld"),
                area + L"Restore Old Folder " + game.File(L"cfg.VorlanOld") + L" --> " + game.File(L"cfg") + L", Success"}))
      << Dump(run.log);
  EXPECT_EQ(ReadBytes(game.File(L"plain\\keep.txt")), "keep");
  EXPECT_EQ(ReadBytes(game.File(L"cfg\\a.txt")), "a");
  EXPECT_EQ(ReadBytes(game.File(L"empty\\e.txt")), "e");
  EXPECT_FALSE(DirectoryExists(game.File(L"cfg.VorlanOld")));
  EXPECT_EQ(ReadBytes(game.File(L"busy\\game.txt")), "game");
  EXPECT_EQ(ReadBytes(game.File(L"busy.VorlanOld\\b.txt")), "b");
  EXPECT_EQ(ReadBytes(game.File(L"stray.VorlanOld\\s.txt")), "s");
  EXPECT_EQ(RecordValue(L"Junctions", L"Num"), L"0");
  EXPECT_EQ(RecordValue(L"OldFolders", L"Num"), L"1");
  EXPECT_EQ(RecordValue(L"OldFolder_0", L"Dst"), game.File(L"busy"));

  // The next run, once the place is free, puts the last folder back.
  ASSERT_TRUE(::MoveFileW(game.File(L"busy").c_str(), game.File(L"busy-elsewhere").c_str()));
  LauncherRun second = RunLauncher(game);
  EXPECT_EQ(TextsAtLevel(Lines(second), 4),
            (std::vector<std::wstring>{kJunctionOptionText, area + L"Restore Old Folder " + game.File(L"busy.VorlanOld") +
                                                                L" --> " + game.File(L"busy") + L", Success"}))
      << Dump(second.log);
  EXPECT_EQ(ReadBytes(game.File(L"busy\\b.txt")), "b");
  EXPECT_EQ(RecordValue(L"OldFolders", L"Num"), L"0");
}

// A record file damaged on the PC or saved in another encoding: the step
// runs, the file as it was is kept beside it and named in a level-32 line,
// and the records that can still be read are undone or kept as usual.
TEST_F(JunctionStep, ADamagedRecordFileIsKeptAndWhatCanBeReadIsUsed) {
  GameFolder game;
  game.WriteOptionFile(OptionFileRunning(L"Junction", L"[Junction]\nNum=0\n"));
  const std::wstring cfg = game.File(L"cfg"), busy = game.File(L"busy");
  const std::wstring text = L"[Junctions]\r\nNum=0\r\n[OldFolders]\r\nNum=2\r\n[OldFolder_0]\r\nDst=" + cfg +
                            L"\r\nOld=" + cfg + L".VorlanOld\r\n[OldFolder_1]\r\nDst=" + busy + L"\r\nOld=" + busy +
                            L".VorlanOld\r\n";
  auto utf16 = [](const std::wstring& t, bool big) {
    std::string b = big ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : t) {
      const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>((c >> 8) & 0xFF);
      b += big ? std::string{hi, lo} : std::string{lo, hi};
    }
    return b;
  };
  const std::string ansi = ToUtf8(text);  // the paths are ASCII
  struct Row {
    const char* name;
    std::string bytes;
    std::wstring what;  // empty: a sound file, no line
    unsigned salvaged;  // old-folder records read
  };
  const Row rows[] = {
      {"sound ANSI", ansi, L"", 2},
      {"sound UTF-16", utf16(text, false), L"", 2},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + ansi, L"UTF-8 with a byte-order mark", 2},
      {"UTF-16 big-endian", utf16(text, true), L"UTF-16 big-endian", 2},
      {"zeros after a power cut", ansi + std::string(512, '\0'), L"not text", 2},
      {"UTF-16 cut in a character", utf16(text, false) + "x", L"not text", 2},
      {"cut inside the last record", ansi.substr(0, ansi.rfind("Old=")), L"[OldFolder_1] is counted but incomplete", 1},
      {"garbage", std::string("\x13\x37\x00\xFF\x80garbage\x01\x02", 14), L"not text", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Clean();
    ::DeleteFileW((std::wstring(kRecordFile) + L".damaged").c_str());
    RemoveTree(cfg);
    RemoveTree(busy);
    RemoveTree(cfg + L".VorlanOld");
    RemoveTree(busy + L".VorlanOld");
    game.WriteText(L"cfg.VorlanOld\\a.txt", L"a");
    game.WriteText(L"busy.VorlanOld\\b.txt", L"b");
    game.WriteText(L"busy\\game.txt", L"game");  // taken: the old folder stays aside
    ASSERT_TRUE(WriteBytes(kRecordFile, row.bytes));

    LauncherRun run = RunLauncher(game);
    const std::wstring copy = std::wstring(kRecordFile) + L".damaged";
    const std::wstring line = L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. " + std::wstring(kRecordFile) +
                              L" is damaged (" + row.what + L"): rewritten with the 0 junction and " +
                              std::to_wstring(row.salvaged) +
                              L" old-folder records that could be read; the file as it was is at " + copy;
    if (row.what.empty()) {
      EXPECT_EQ(TextsAtLevel(Lines(run), 32).size(), 1u) << Dump(run.log);  // the folder that stays aside
      EXPECT_FALSE(FileExists(copy));
    } else {
      EXPECT_GE(FindLine(Lines(run), line, 32), 0) << ToUtf8(line) << "\n" << Dump(run.log);
      EXPECT_EQ(ReadBytes(copy), row.bytes);  // nothing of it lost
      EXPECT_EQ(ReadBytes(kRecordFile).substr(0, 2), "\xFF\xFE");
    }
    // The records read were used as ever: one folder back, the other kept aside and recorded.
    EXPECT_EQ(ReadBytes(game.File(L"busy.VorlanOld\\b.txt")), "b");
    EXPECT_EQ(ReadBytes(game.File(L"busy\\game.txt")), "game");
    if (row.salvaged >= 1) {
      EXPECT_EQ(ReadBytes(game.File(L"cfg\\a.txt")), "a");
    } else {
      EXPECT_EQ(ReadBytes(game.File(L"cfg.VorlanOld\\a.txt")), "a");
    }
    EXPECT_EQ(RecordValue(L"OldFolders", L"Num"), row.salvaged == 2 ? L"1" : L"0");
    if (row.salvaged == 2) {
      EXPECT_EQ(RecordValue(L"OldFolder_0", L"Dst"), busy);
    }
  }
  ::DeleteFileW((std::wstring(kRecordFile) + L".damaged").c_str());
}

TEST_F(JunctionStep, EntriesWithoutUsableValuesAreSkippedSilently) {
  GameFolder game;
  MakeGameData(game);
  const std::wstring missingDrive = steptest::MissingDrive();
  std::wstring longDst = game.File(L"long");
  while (longDst.size() < 300) longDst += L"\\" + std::wstring(30, L'L');
  game.WriteOptionFile(OptionFileRunning(L"Junction",
      L"[JunctionOption]\nNum=8\n"
      L"[JunctionOption0]\nSkipOS=7\nOption=2\nSrc=data\nDst=" + game.File(L"skipped-os") + L"\n"
      L"[JunctionOption1]\nOption=2\nSrc=data\n"
      L"[JunctionOption2]\nOption=2\nSrc=data\nDst=$$\n"
      L"[JunctionOption3]\nOption=2\nDst=" + game.File(L"no-source") + L"\n"
      L"[JunctionOption4]\nOption=0\nSrc=data\nDst=" + missingDrive + L"\\games\\save\n"
      L"[JunctionOption5]\nOption=2\nSrc=data\nDst=" + longDst + L"\n"
      L"[JunctionOption6]\nOption=2\nSrc=data\nDst=$CSIDL_NOT_KNOWN$" + game.Path().substr(2) + L"\\unknown\n"
      L"[JunctionOption7]\nOption=5\nRunName=$$\n"));
  LauncherRun run = RunLauncher(game);
  const wchar_t* longResult = FileExists(longDst + L"\\sub\\y.txt") ? L"Success" : L"Failed";
  const std::wstring data = game.File(L"data");
  const auto texts = TextsAtLevel(Lines(run), 4);
  std::vector<std::wstring> reports;
  for (const auto& t : texts)
    if (t.rfind(L"CVorlanDlg::PrintInfo:", 0) == 0) reports.push_back(t);
  EXPECT_EQ(reports, (std::vector<std::wstring>{Report(data, missingDrive + L"\\games\\save", L"Failed"),
                                                Report(data, longDst, longResult),
                                                Report(data, game.Path().substr(2) + L"\\unknown", L"Success")}))
      << Dump(run.log);
  EXPECT_FALSE(DirectoryExists(game.File(L"skipped-os")));
  EXPECT_FALSE(DirectoryExists(game.File(L"no-source")));
  EXPECT_TRUE(FileExists(game.File(L"unknown\\sub\\y.txt")));
  EXPECT_EQ(ReadBytes(game.File(L"data\\x.txt")), "x");
}
