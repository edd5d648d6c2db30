// Step "Copy" end to end: the launcher runs on a game folder made here, with
// an option file whose only step is "Copy"; what it copied is checked on
// disk and what it reported in its log.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/win/scoped_resource.h"
#include "platform/win/wow64_redirection.h"
#include "step_run.h"
#include "vtest/files.h"
#include "vtest/test_paths.h"

using namespace vtest;
using steptest::OptionFileRunning;
using steptest::RunLauncher;
using steptest::TextsAtLevel;

namespace {

constexpr wchar_t kStart[] = L"CVorlanDlg::ProcessManage.开始执行复制文件";
constexpr wchar_t kEnd[] = L"CVorlanDlg::ProcessManage.已执行复制文件";

std::vector<LogLine> CopyLines(const LauncherRun& run) { return steptest::StepLines(run, kStart, kEnd); }

// The lines that report one entry: how many files were copied and how many
// were already there, the result line, the PrintInfo line.
std::vector<std::wstring> Reported(const std::wstring& src, const std::wstring& dst, const wchar_t* result,
                                   unsigned copied, unsigned alreadyThere = 0) {
  const std::wstring text = L"Copy File " + src + L" --> " + dst + L", " + result;
  return {L"CopyFileOption: CVorlanDlg::ProcessCopyFile. " + src + L" --> " + dst + L": " + std::to_wstring(copied) +
              L" copied, " + std::to_wstring(alreadyThere) + L" already there",
          L"CopyFileOption: CVorlanDlg::ProcessCopyFile. " + text, L"CVorlanDlg::PrintInfo: " + text};
}

std::vector<std::wstring> Concat(std::initializer_list<std::vector<std::wstring>> parts) {
  std::vector<std::wstring> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

void MakeGameData(const GameFolder& game) {
  game.WriteText(L"cfg\\a.ini", L"[A]\nx=1\n");
  game.WriteText(L"data\\x.txt", L"x");
  game.WriteText(L"data\\sub\\y.txt", L"y");
  game.MakeDir(L"data\\empty");
  game.MakeDir(L"emptydir");
}

// The files under `root` (relative names) in the order a one-by-one walk
// meets them: as the folder listing gives them, a sub-folder's files where
// the sub-folder is listed.
std::vector<std::wstring> WalkOrder(const std::wstring& root, const std::wstring& prefix = L"") {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry = {};
  OS::ScopedFindHandle find(::FindFirstFileW((root + L"\\*.*").c_str(), &entry));
  if (!find) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (auto& inner : WalkOrder(root + L"\\" + name, prefix + name + L"\\")) names.push_back(std::move(inner));
    } else {
      names.push_back(prefix + name);
    }
  } while (::FindNextFileW(find.Get(), &entry));
  return names;
}

std::wstring WindowsDir() {
  wchar_t dir[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"windir", dir, MAX_PATH);
  return dir;
}

}  // namespace

TEST(CopyStep, FilesAndFolderTreesAreCopiedAndReported) {
  GameFolder game;
  MakeGameData(game);
  game.MakeDir(L"out");
  game.WriteOptionFile(OptionFileRunning(L"Copy",
      L"[Copy]\nNum=2\n"
      L"[Copy0]\nIsFile=1\nSrc=cfg\\a.ini\nDst=" + game.File(L"out\\a.ini") + L"\n"
      L"[Copy1]\nSrc=\\data\nDst=" + game.File(L"tree") + L"\n"));
  LauncherRun run = RunLauncher(game);

  const auto lines = CopyLines(run);
  EXPECT_EQ(Texts(lines), Concat({Reported(game.File(L"cfg\\a.ini"), game.File(L"out\\a.ini"), L"Success", 1),
                                  Reported(game.File(L"data"), game.File(L"tree"), L"Success", 2)}))
      << Dump(run.log);
  for (const auto& l : lines) EXPECT_EQ(l.level, 4);
  EXPECT_EQ(ReadBytes(game.File(L"out\\a.ini")), "[A]\nx=1\n");
  EXPECT_EQ(ReadBytes(game.File(L"tree\\x.txt")), "x");
  EXPECT_EQ(ReadBytes(game.File(L"tree\\sub\\y.txt")), "y");
  EXPECT_TRUE(DirectoryExists(game.File(L"tree\\empty")));
}

TEST(CopyStep, EntriesAreCountedByNumFromZero) {
  GameFolder game;
  MakeGameData(game);
  std::wstring sections = L"[Copy]\nNum=2\n";
  for (int i = 0; i < 3; ++i) {
    sections += L"[Copy" + std::to_wstring(i) + L"]\nSrc=data\nDst=" + game.File(L"to" + std::to_wstring(i)) + L"\n";
  }
  game.WriteOptionFile(OptionFileRunning(L"Copy", sections));
  LauncherRun run = RunLauncher(game);
  EXPECT_EQ(Texts(CopyLines(run)), Concat({Reported(game.File(L"data"), game.File(L"to0"), L"Success", 2),
                                           Reported(game.File(L"data"), game.File(L"to1"), L"Success", 2)}))
      << Dump(run.log);
  EXPECT_FALSE(DirectoryExists(game.File(L"to2")));

  // "Num" missing, 0 or negative: nothing is done and nothing logged.
  for (const std::wstring num : {L"", L"Num=0\n", L"Num=-1\n"}) {
    GameFolder other({.suffix = L".num" + std::to_wstring(num.size())});
    MakeGameData(other);
    other.WriteOptionFile(OptionFileRunning(L"Copy", L"[Copy]\n" + num + L"[Copy0]\nSrc=data\nDst=" +
                                                         other.File(L"to0") + L"\n"));
    LauncherRun r = RunLauncher(other);
    EXPECT_TRUE(CopyLines(r).empty()) << Dump(r.log);
    EXPECT_FALSE(DirectoryExists(other.File(L"to0")));
  }
}

TEST(CopyStep, ASingleFileNeverReplacesAnExistingOneAndOneAlreadyThereIsCountedAndStillFails) {
  GameFolder game;
  MakeGameData(game);
  game.WriteText(L"out\\a.ini", L"mine");
  game.WriteText(L"out\\ro.ini", L"read-only");
  ASSERT_TRUE(::SetFileAttributesW(game.File(L"out\\ro.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  // Yesterday's copy, read-only since: the same size and time as the source.
  ASSERT_TRUE(::CopyFileW(game.File(L"cfg\\a.ini").c_str(), game.File(L"out\\same.ini").c_str(), TRUE));
  ASSERT_TRUE(::SetFileAttributesW(game.File(L"out\\same.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  game.WriteOptionFile(OptionFileRunning(L"Copy",
      L"[Copy]\nNum=3\n"
      L"[Copy0]\nIsFile=1\nSrc=cfg\\a.ini\nDst=" + game.File(L"out\\a.ini") + L"\n"
      L"[Copy1]\nIsFile=1\nSrc=cfg\\a.ini\nDst=" + game.File(L"out\\ro.ini") + L"\n"
      L"[Copy2]\nIsFile=1\nSrc=cfg\\a.ini\nDst=" + game.File(L"out\\same.ini") + L"\n"));
  LauncherRun run = RunLauncher(game);
  EXPECT_EQ(Texts(CopyLines(run)), Concat({Reported(game.File(L"cfg\\a.ini"), game.File(L"out\\a.ini"), L"Failed", 0),
                                           Reported(game.File(L"cfg\\a.ini"), game.File(L"out\\ro.ini"), L"Failed", 0),
                                           Reported(game.File(L"cfg\\a.ini"), game.File(L"out\\same.ini"), L"Failed", 0, 1)}))
      << Dump(run.log);
  EXPECT_EQ(ReadBytes(game.File(L"out\\a.ini")), "mine");
  EXPECT_EQ(ReadBytes(game.File(L"out\\ro.ini")), "read-only");
  EXPECT_EQ(ReadBytes(game.File(L"out\\same.ini")), "[A]\nx=1\n");
  EXPECT_TRUE(::GetFileAttributesW(game.File(L"out\\same.ini").c_str()) & FILE_ATTRIBUTE_READONLY);
  for (const wchar_t* name : {L"out\\ro.ini", L"out\\same.ini"})
    ::SetFileAttributesW(game.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CopyStep, ARunAgainCopiesOnlyTheFileChangedAtTheSourceAndTheOneChangedAtTheDestination) {
  GameFolder game;
  std::vector<std::wstring> files;
  for (int d = 0; d < 4; ++d) {
    for (int f = 0; f < 10; ++f) {
      files.push_back(L"d" + std::to_wstring(d) + L"\\f" + std::to_wstring(f) + L".txt");
      game.WriteText(L"data\\" + files.back(), files.back());
    }
  }
  game.WriteOptionFile(OptionFileRunning(L"Copy", L"[Copy]\nNum=1\n[Copy0]\nSrc=data\nDst=" + game.File(L"tree") + L"\n"));
  LauncherRun first = RunLauncher(game);
  EXPECT_EQ(Texts(CopyLines(first)), Reported(game.File(L"data"), game.File(L"tree"), L"Success", 40)) << Dump(first.log);

  // A newer source of another size, and a copy the game rewrote with as many bytes.
  game.WriteText(L"data\\d1\\f4.txt", L"the game's update");
  game.WriteText(L"tree\\d2\\f7.txt", L"D2\\F7.TXT");
  // An unchanged copy the game holds open: copying it again would fail and be named.
  OS::ScopedHandle held(
      ::CreateFileW(game.File(L"tree\\d0\\f0.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  LauncherRun second = RunLauncher(game);
  held.Reset();

  EXPECT_EQ(Texts(CopyLines(second)), Reported(game.File(L"data"), game.File(L"tree"), L"Success", 2, 38))
      << Dump(second.log);
  EXPECT_EQ(ReadBytes(game.File(L"tree\\d1\\f4.txt")), "the game's update");
  EXPECT_EQ(ReadBytes(game.File(L"tree\\d2\\f7.txt")), "d2\\f7.txt");
  for (const auto& name : files) EXPECT_EQ(ReadBytes(game.File(L"tree\\" + name)), ReadBytes(game.File(L"data\\" + name)));
}

TEST(CopyStep, MissingSourceFolderFailsAfterMakingTheDestinationAndAnEmptyOneSucceeds) {
  GameFolder game;
  MakeGameData(game);
  game.WriteOptionFile(OptionFileRunning(L"Copy",
      L"[Copy]\nNum=2\n"
      L"[Copy0]\nSrc=not-there\nDst=" + game.File(L"made") + L"\n"
      L"[Copy1]\nSrc=emptydir\nDst=" + game.File(L"made2") + L"\n"));
  LauncherRun run = RunLauncher(game);
  const auto lines = CopyLines(run);
  EXPECT_EQ(TextsAtLevel(lines, 4), Concat({Reported(game.File(L"not-there"), game.File(L"made"), L"Failed", 0),
                                            Reported(game.File(L"emptydir"), game.File(L"made2"), L"Success", 0)}))
      << Dump(run.log);
  EXPECT_TRUE(DirectoryExists(game.File(L"made")));
  EXPECT_TRUE(DirectoryExists(game.File(L"made2")));
}

TEST(CopyStep, FilesThatCannotBeCopiedAreNamedInWalkOrderAndTheRestIsCopied) {
  GameFolder game;
  MakeGameData(game);
  // More files than are copied at a time, in several folders.
  std::vector<std::wstring> files;
  for (int d = 0; d < 3; ++d) {
    for (int f = 0; f < 12; ++f) {
      const std::wstring name = L"many\\d" + std::to_wstring(d) + L"\\f" + std::to_wstring(f) + L".txt";
      game.WriteText(L"data\\" + name, name);
      files.push_back(name);
    }
  }
  game.WriteOptionFile(OptionFileRunning(L"Copy", L"[Copy]\nNum=1\n[Copy0]\nSrc=data\nDst=" + game.File(L"tree") + L"\n"));
  // The game still runs and holds some of its files open.
  const std::set<std::wstring> held = {L"x.txt", L"many\\d0\\f5.txt", L"many\\d2\\f0.txt", L"many\\d2\\f11.txt"};
  std::vector<OS::ScopedHandle> handles;
  for (const auto& name : held) {
    game.WriteText(L"tree\\" + name, L"old");
    handles.emplace_back(::CreateFileW(game.File(L"tree\\" + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(handles.back()) << ToUtf8(name);
  }
  LauncherRun run = RunLauncher(game);
  handles.clear();

  // In the order a one-by-one walk of the source meets them.
  std::vector<std::wstring> failures;
  for (const auto& name : WalkOrder(game.File(L"data"))) {
    if (held.count(name)) {
      failures.push_back(L"OS::CopyFolderTree. Copy " + game.File(L"data\\" + name) + L" --> " +
                         game.File(L"tree\\" + name) + L" Failed, ErrorCode 32");
    }
  }
  const auto lines = CopyLines(run);
  EXPECT_EQ(TextsAtLevel(lines, 32), failures) << Dump(run.log);
  EXPECT_EQ(TextsAtLevel(lines, 4), Reported(game.File(L"data"), game.File(L"tree"), L"Failed",
                                              static_cast<unsigned>(files.size() + 2 - held.size())))
      << Dump(run.log);
  EXPECT_EQ(ReadBytes(game.File(L"tree\\sub\\y.txt")), "y");
  for (const auto& name : held) EXPECT_EQ(ReadBytes(game.File(L"tree\\" + name)), "old") << ToUtf8(name);
  for (const auto& name : files) {
    if (!held.count(name)) {
      EXPECT_EQ(FromUtf8(ReadBytes(game.File(L"tree\\" + name))), name);
    }
  }
}

TEST(CopyStep, SkipOSSkipsOnlyTheNamedWindowsGeneration) {
  struct Case {
    std::wstring exe, version;
    std::vector<int> copied;  // entries that run; SkipOS is 3, 7, 0 for entries 0, 1, 2
  };
  // Windows 7 is Wine's own default; its "win7" setting reports a server edition.
  for (const Case& c : {Case{L"VorlanXP.exe", L"winxp", {1, 2}}, Case{L"Vorlan.exe", L"", {0, 2}}}) {
    SCOPED_TRACE(ToUtf8(c.version));
    GameFolder game({.suffix = L"." + c.exe, .exeName = c.exe, .windowsVersion = c.version});
    MakeGameData(game);
    std::wstring sections = L"[Copy]\nNum=3\n";
    const int skip[] = {3, 7, 0};
    for (int i = 0; i < 3; ++i) {
      sections += L"[Copy" + std::to_wstring(i) + L"]\nSkipOS=" + std::to_wstring(skip[i]) + L"\nSrc=data\nDst=" +
                  game.File(L"to" + std::to_wstring(i)) + L"\n";
    }
    game.WriteOptionFile(OptionFileRunning(L"Copy", sections));
    LauncherRun run = RunLauncher(game);
    std::vector<std::wstring> expected;
    for (int i : c.copied) {
      const auto r = Reported(game.File(L"data"), game.File(L"to" + std::to_wstring(i)), L"Success", 2);
      expected.insert(expected.end(), r.begin(), r.end());
    }
    EXPECT_EQ(Texts(CopyLines(run)), expected) << Dump(run.log);
    for (int i = 0; i < 3; ++i) {
      const bool ran = std::find(c.copied.begin(), c.copied.end(), i) != c.copied.end();
      EXPECT_EQ(DirectoryExists(game.File(L"to" + std::to_wstring(i))), ran) << i;
    }
  }
}

TEST(CopyStep, RedirectionIsSwitchedOffOnlyOn64BitWindowsAndOnlyWhenAskedWithOne) {
  const bool is64 = Is64BitPrefix();
  const std::wstring name0 = L"vorlan-copytest-" + PrefixKind() + L"-native.dll";
  const std::wstring name1 = L"vorlan-copytest-" + PrefixKind() + L"-plain.dll";
  const std::wstring tree3 = L"vorlan-copytest-" + PrefixKind() + L"-tree";
  const std::wstring windir = WindowsDir();
  auto cleanup = [&] {
    OS::ScopedRedirectionOff off;
    for (const auto& dir : {L"\\system32\\", L"\\syswow64\\"}) {
      for (const auto& n : {name0, name1}) ::DeleteFileW((windir + dir + n).c_str());
      RemoveTree(windir + dir + tree3);
    }
  };
  cleanup();
  GameFolder game;
  game.WriteText(L"bin\\x.dll", L"the dll");
  game.WriteOptionFile(OptionFileRunning(L"Copy",
      L"[Copy]\nNum=4\n"
      L"[Copy0]\nIsCloseRedirection=1\nIsFile=1\nSrc=bin\\x.dll\nDst=$CSIDL_SYSTEM$\\" + name0 + L"\n"
      L"[Copy1]\nIsCloseRedirection=2\nIsFile=1\nSrc=bin\\x.dll\nDst=$CSIDL_SYSTEM$\\" + name1 + L"\n"
      L"[Copy2]\nIsCloseRedirection=1\nIsFile=1\nDst=$CSIDL_SYSTEM$\\nothing.dll\n"
      // A tree: its files are copied by helper threads, which must see the native folder too.
      L"[Copy3]\nIsCloseRedirection=1\nSrc=bin\nDst=$CSIDL_SYSTEM$\\" + tree3 + L"\n"));
  LauncherRun run = RunLauncher(game);

  const std::wstring system = windir + L"\\System32";
  const std::wstring macro = L"CVorlanDlg::TranslatePath. windir//system32 --> " + system + L", ErrorCode 0";
  std::vector<std::wstring> expected;
  if (is64) expected.push_back(L"CopyFileOption: CVorlanDlg::CopyFile_0. DisableRedirection: 1");
  expected.push_back(macro);
  if (is64) expected.push_back(L"CopyFileOption: CVorlanDlg::CopyFile_0. RevertRedirection: 1");
  for (const auto& l : Reported(game.File(L"bin\\x.dll"), system + L"\\" + name0, L"Success", 1)) expected.push_back(l);
  expected.push_back(macro);
  for (const auto& l : Reported(game.File(L"bin\\x.dll"), system + L"\\" + name1, L"Success", 1)) expected.push_back(l);
  // The entry without a source ends early; redirection is switched back all the same.
  if (is64) {
    expected.push_back(L"CopyFileOption: CVorlanDlg::CopyFile_2. DisableRedirection: 1");
    expected.push_back(L"CopyFileOption: CVorlanDlg::CopyFile_2. RevertRedirection: 1");
  }
  if (is64) expected.push_back(L"CopyFileOption: CVorlanDlg::CopyFile_3. DisableRedirection: 1");
  expected.push_back(macro);
  if (is64) expected.push_back(L"CopyFileOption: CVorlanDlg::CopyFile_3. RevertRedirection: 1");
  for (const auto& l : Reported(game.File(L"bin"), system + L"\\" + tree3, L"Success", 1)) expected.push_back(l);
  EXPECT_EQ(Texts(CopyLines(run)), expected) << Dump(run.log);

  {
    OS::ScopedRedirectionOff off;  // look at the real folders
    EXPECT_TRUE(FileExists(windir + L"\\system32\\" + name0));
    EXPECT_EQ(FileExists(windir + L"\\system32\\" + name1), !is64);
    EXPECT_EQ(ReadBytes(windir + L"\\system32\\" + tree3 + L"\\x.dll"), "the dll");
    if (is64) {
      EXPECT_FALSE(FileExists(windir + L"\\syswow64\\" + name0));
      EXPECT_TRUE(FileExists(windir + L"\\syswow64\\" + name1));
      EXPECT_FALSE(DirectoryExists(windir + L"\\syswow64\\" + tree3));
    }
  }
  cleanup();
}

TEST(CopyStep, ProgramFilesMacrosFollowTheRedirectionChoice) {
  const bool is64 = Is64BitPrefix();
  const std::wstring a = L"VorlanCopyTest-" + PrefixKind() + L"-A";
  const std::wstring b = L"VorlanCopyTest-" + PrefixKind() + L"-B";
  const std::wstring c = L"VorlanCopyTest-" + PrefixKind() + L"-C";
  const std::wstring pf = L"C:\\Program Files";
  const std::wstring pfx86 = is64 ? L"C:\\Program Files (x86)" : pf;
  const std::vector<std::wstring> places = {pf + L"\\" + a, pfx86 + L"\\" + b, pf + L"\\Common Files\\" + c,
                                            pfx86 + L"\\" + a, pfx86 + L"\\Common Files\\" + c};
  for (const auto& p : places) RemoveTree(p);
  GameFolder game;
  MakeGameData(game);
  game.WriteOptionFile(OptionFileRunning(L"Copy",
      L"[Copy]\nNum=3\n"
      L"[Copy0]\nIsCloseRedirection=1\nSrc=data\nDst=$CSIDL_PROGRAM_FILES$\\" + a + L"\n"
      L"[Copy1]\nIsCloseRedirection=0\nSrc=data\nDst=$CSIDL_PROGRAM_FILES$\\" + b + L"\n"
      L"[Copy2]\nIsCloseRedirection=1\nSrc=data\nDst=$CSIDL_PROGRAM_FILES_COMMON$" + c + L"\n"));
  LauncherRun run = RunLauncher(game);

  const auto texts = TextsAtLevel(CopyLines(run), 4);
  std::vector<std::wstring> results;
  for (const auto& t : texts)
    if (t.rfind(L"CopyFileOption: CVorlanDlg::ProcessCopyFile.", 0) == 0) results.push_back(t);
  std::vector<std::wstring> expected;
  for (int i = 0; i < 3; ++i) {
    const auto lines = Reported(game.File(L"data"), places[i], L"Success", 2);
    expected.insert(expected.end(), lines.begin(), lines.begin() + 2);  // the count and the result
  }
  EXPECT_EQ(results, expected) << Dump(run.log);
  EXPECT_TRUE(FileExists(places[0] + L"\\sub\\y.txt"));
  EXPECT_TRUE(FileExists(places[1] + L"\\sub\\y.txt"));
  EXPECT_TRUE(FileExists(places[2] + L"\\sub\\y.txt"));
  if (is64) {
    EXPECT_FALSE(DirectoryExists(places[3]));
    EXPECT_FALSE(DirectoryExists(places[4]));
  }
  for (const auto& p : places) RemoveTree(p);
}

TEST(CopyStep, BadValuesAreReportedOrSkippedAndNothingIsLost) {
  GameFolder game;
  MakeGameData(game);
  const std::wstring missingDrive = steptest::MissingDrive();
  std::wstring longDst = game.File(L"long");
  while (longDst.size() < 300) longDst += L"\\" + std::wstring(30, L'L');
  const std::wstring suite = game.Path().substr(2);  // "\vorlan-tests\<suite>.<case>"
  game.WriteOptionFile(OptionFileRunning(L"Copy",
      L"[Copy]\nNum=9\n"
      L"[Copy0]\nSrc=\nDst=" + game.File(L"x0") + L"\n"          // no source: skipped
      L"[Copy1]\nSrc=data\n"                                     // no destination: skipped
      L"[Copy2]\nSrc=data\nDst=$$\n"                             // resolves to nothing: skipped
      L"[Copy3]\nSrc=data\nDst=$CSIDL_NOT_KNOWN$" + suite + L"\\unknown\n"  // the tail alone, on this drive
      L"[Copy4]\nSrc=data\nDst=" + missingDrive + L"\\games\\x\n"
      L"[Copy5]\nIsFile=1\nSrc=no-such.txt\nDst=" + game.File(L"n.txt") + L"\n"
      L"[Copy6]\nSrc=data\nDst=" + longDst + L"\n"
      L"[Copy7]\nIsFile=1\nSrc=cfg\\a.ini\nDst=" + missingDrive + L"\\a.ini\n"
      L"[Copy8]\nSrc=data\nDst=" + game.File(L"DATA\\backup") + L"\n"));  // into itself
  LauncherRun run = RunLauncher(game);

  const bool longCopied = FileExists(longDst + L"\\sub\\y.txt");
  EXPECT_EQ(TextsAtLevel(CopyLines(run), 4),
            Concat({Reported(game.File(L"data"), suite + L"\\unknown", L"Success", 2),
                    Reported(game.File(L"data"), missingDrive + L"\\games\\x", L"Failed", 0),
                    Reported(game.File(L"no-such.txt"), game.File(L"n.txt"), L"Failed", 0),
                    Reported(game.File(L"data"), longDst, longCopied ? L"Success" : L"Failed", longCopied ? 2 : 0),
                    Reported(game.File(L"cfg\\a.ini"), missingDrive + L"\\a.ini", L"Failed", 0),
                    Reported(game.File(L"data"), game.File(L"DATA\\backup"), L"Failed", 0)}))
      << Dump(run.log);
  const auto errors = TextsAtLevel(CopyLines(run), 32);
  EXPECT_EQ(std::count(errors.begin(), errors.end(),
                       L"OS::CopyFolderTree. " + game.File(L"DATA\\backup") + L" lies inside " + game.File(L"data") +
                           L": a folder is not copied into itself"),
            1)
      << Dump(run.log);
  EXPECT_FALSE(DirectoryExists(game.File(L"data\\backup")));
  EXPECT_TRUE(FileExists(game.File(L"unknown\\sub\\y.txt")));
  EXPECT_FALSE(DirectoryExists(game.File(L"x0")));
  // The game's own files are all still there.
  EXPECT_EQ(ReadBytes(game.File(L"data\\x.txt")), "x");
  EXPECT_EQ(ReadBytes(game.File(L"data\\sub\\y.txt")), "y");
  EXPECT_EQ(ReadBytes(game.File(L"cfg\\a.ini")), "[A]\nx=1\n");
}
