// The component catalogue under Wine, through the real launcher: what is
// read from "VorlanComponent.ini", how each component is checked, and what
// the step's result does to the rest of the pipeline.

#include <windows.h>

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "component_scenario.h"
#include "platform/win/wow64_redirection.h"

using namespace components_test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using vtest::Dump;
using vtest::LauncherRun;

namespace {

// Components that cannot be installed (no installer named) leave the help
// page to open; none exists in these folders, so the shell refuses it.
std::wstring NoInstaller(const std::wstring& section) {
  return Install(L"[" + section + L"] names no installer (\"exe\" is empty); " + section + L" stays missing");
}
const std::wstring kHelpPageRefused = L"ComponentOption: CComponent::Setup. ShellExecute Chinese.htm Failed. nError: 2";

}  // namespace

TEST(ComponentCatalogue, ListedComponentsAreLoggedWithTheirMarksAndNickNamesInListOrder) {
  ComponentGame game;
  game.WriteCatalogue(
      L"[Public]\r\nLanguage=Chinese\r\n"
      L"[Chinese]\r\nName=运行库\r\nDirectX=DirectX 9.0c\r\nVC2008=VC++ 2008 运行库\r\n"
      L"[Argument]\r\nArgc=5\r\nArgument_0=DirectX\r\nArgument_1=\r\nArgument_2=VC2008\r\nArgument_3=NoSuchSection\r\n"
      L"Argument_4=Unmarked\r\n"
      L"[install]\r\nDirectX=3\r\nVC2008=0\r\nNoSuchSection=7\r\n"
      L"[DirectX]\r\ntype=regread\r\npath=Software\\NoSuchKeyAnywhere\r\n"
      L"[VC2008]\r\ntype=regread\r\npath=Software\\NoSuchKeyAnywhere\r\n"
      L"[Unmarked]\r\ntype=filefind\r\npath=C:\\nothing\\here\r\ncount=1\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  // Marks 3, 0, 7 and a missing mark are never checked and never missing:
  // nothing is installed, and the step writes the completion mark itself.
  EXPECT_THAT(ComponentLines(run.log), ElementsAre(Mark(3, L"DirectX 9.0c"), Mark(0, L"VC++ 2008 运行库"), Mark(7, L""),
                                                   Mark(0, L""), Count(4)))
      << Dump(run.log);
  for (const auto& line : ComponentLogLines(run.log)) EXPECT_EQ(line.level, 4);
  const int mark = FindPrefix(run.log, kWriteTimeToReg);
  ASSERT_GE(mark, 0) << Dump(run.log);
  EXPECT_LT(mark, FindPrefix(run.log, kComponentEnd));
  EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 1u) << "the step's result 1 keeps \"Main\" from writing it again";
}

TEST(ComponentCatalogue, AnEmptyCatalogueInstallsNothingAndLeavesTheCompletionMarkToMain) {
  struct Case {
    const char* what;
    const wchar_t* catalogue;  // null: no catalogue file at all
    std::vector<std::wstring> lines;
  };
  const std::vector<Case> cases = {
      {"no catalogue file", nullptr, {}},
      {"no Language", L"[Public]\r\nName=x\r\n[Argument]\r\nArgc=1\r\nArgument_0=A\r\n[install]\r\nA=2\r\n", {}},
      {"Argc 0", L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=0\r\nArgument_0=A\r\n[install]\r\nA=2\r\n", {Count(0)}},
      {"negative Argc", L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=-3\r\nArgument_0=A\r\n[install]\r\nA=2\r\n",
       {Count(0)}},
      {"no list section", L"[Public]\r\nLanguage=Chinese\r\n[install]\r\nA=2\r\n", {Count(0)}},
      {"only empty entries", L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=2\r\nArgument_0=\r\n", {Count(0)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ComponentGame game;
    if (c.catalogue) game.WriteCatalogue(c.catalogue);
    LauncherRun run = game.Run();
    ASSERT_FALSE(run.timedOut);
    EXPECT_THAT(ComponentLines(run.log), ElementsAreArray(c.lines)) << Dump(run.log);
    // Result 0: "Main" writes the completion mark after its end line.
    const int mainEnd = FindPrefix(run.log, kMainEnd);
    ASSERT_GE(mainEnd, 0) << Dump(run.log);
    EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 1u) << Dump(run.log);
    EXPECT_GT(FindPrefix(run.log, kWriteTimeToReg), mainEnd);
    EXPECT_EQ(scenario::ReadMark(game.ExePath()), scenario::TodayMark());
  }
}

TEST(ComponentCatalogue, WithoutArgcOnlyTheFirstEntryIsReadAndAHugeArgcIsCut) {
  {
    ComponentGame game;
    game.WriteCatalogue(
        L"[Public]\r\nLanguage=Chinese\r\n[Chinese]\r\nA=first\r\nB=second\r\n"
        L"[Argument]\r\nArgument_0=A\r\nArgument_1=B\r\n");
    LauncherRun run = game.Run();
    EXPECT_THAT(ComponentLines(run.log), ElementsAre(Mark(0, L"first"), Count(1))) << Dump(run.log);
  }
  {
    ComponentGame game;
    game.WriteCatalogue(
        L"[Public]\r\nLanguage=Chinese\r\n[Chinese]\r\nA=first\r\nB=last read\r\nC=beyond\r\n"
        L"[Argument]\r\nArgc=2147483647\r\nArgument_0=A\r\nArgument_999=B\r\nArgument_1000=C\r\n");
    LauncherRun run = game.Run();
    ASSERT_FALSE(run.timedOut);
    EXPECT_THAT(ComponentLines(run.log),
                ElementsAre(Load(L"[Argument] Argc 2147483647 is more than 1000; only the first 1000 entries are read"),
                            Mark(0, L"first"), Mark(0, L"last read"), Count(2)))
        << Dump(run.log);
    EXPECT_TRUE(scenario::Has(run.log, ComponentLines(run.log)[0], 32));
  }
}

TEST(ComponentCatalogue, The64BitListIsUsedOnlyWhenEnabledOn64BitWindows) {
  const std::wstring catalogue =
      L"[Public]\r\nLanguage=Chinese\r\n[Chinese]\r\nA32=32-bit list\r\nA64=64-bit list\r\n"
      L"[Argument]\r\nArgc=1\r\nArgument_0=A32\r\n[Argument64]\r\nArgc=1\r\nArgument_0=A64\r\n";
  {
    ComponentGame game;
    game.WriteCatalogue(catalogue + L"[ArgumentMgr]\r\nIsEnable64=1\r\n");
    LauncherRun run = game.Run();
    EXPECT_THAT(ComponentLines(run.log),
                ElementsAre(Mark(0, vtest::Is64BitPrefix() ? L"64-bit list" : L"32-bit list"), Count(1)))
        << Dump(run.log);
  }
  {
    ComponentGame game;
    game.WriteCatalogue(catalogue + L"[ArgumentMgr]\r\nIsEnable64=2\r\n");
    LauncherRun run = game.Run();
    EXPECT_THAT(ComponentLines(run.log), ElementsAre(Mark(0, L"32-bit list"), Count(1))) << Dump(run.log);
  }
}

TEST(ComponentCatalogue, RegReadLooksInTheNative64BitViewWhenAskedAndLogsTheRedirectionSwitch) {
  TestKeys keys;
  // The component's key exists only where a 64-bit installer writes it.
  ASSERT_TRUE(vtest::WriteDword(HKEY_LOCAL_MACHINE, TestKey(L"Runtime"), L"Installed", 1, vtest::RegView::Wow64));
  ComponentGame game;
  game.WriteCatalogue(
      L"[Public]\r\nLanguage=Chinese\r\n[Chinese]\r\nNative=native view\r\nPlain=own view\r\n"
      L"[Argument]\r\nArgc=2\r\nArgument_0=Native\r\nArgument_1=Plain\r\n"
      L"[install]\r\nNative=1\r\nPlain=1\r\n"
      L"[Native]\r\ntype=regread\r\nIsCloseRedirection=1\r\npath=" + TestKey(L"Runtime") + L"\r\n"
      L"[Plain]\r\ntype=regread\r\npath=" + TestKey(L"Runtime") + L"\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  if (!vtest::Is64BitPrefix()) {
    // One view only: no switch, both found.
    EXPECT_THAT(ComponentLines(run.log), ElementsAre(Mark(1, L"native view"), Mark(1, L"own view"), Count(2),
                                                     Installed(L"Native"), Installed(L"Plain")))
        << Dump(run.log);
    EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 1u);
    return;
  }
  const std::wstring disable =
      L"ComponentOption: CConfig::CheckComponentInfo.DisableRedirection. ComPonentName:Native, DisableDirection: 1";
  const std::wstring revert =
      L"ComponentOption: CConfig::CheckComponentInfo.RevertRedirection. ComPonentName:Native, RevsertDirection: 1";
  std::vector<std::wstring> expected = {Mark(1, L"native view"), Mark(1, L"own view"), Count(2)};
  for (int pass = 0; pass < 3; ++pass) {
    for (const auto& line : {disable, Installed(L"Native"), revert, Missing(L"Plain")}) expected.push_back(line);
    if (pass < 2) {
      expected.push_back(NoInstaller(L"Plain"));
      expected.push_back(NCheck(1));
    }
  }
  expected.push_back(kHelpPageRefused);
  EXPECT_THAT(ComponentLines(run.log), ElementsAreArray(expected)) << Dump(run.log);
  EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 0u) << "a component is still missing: no completion mark";
}

TEST(ComponentCatalogue, FileFindCountsFromStartInTheWindowsDirectoryAndStopsAtTheFirstMissingFile) {
  // Wine ships d3dx9_24 ... d3dx9_43.
  ComponentGame game;
  game.WriteCatalogue(
      L"[Public]\r\nLanguage=Chinese\r\n[Chinese]\r\nD3DX=DirectX\r\nD3DXNew=DirectX new\r\n"
      L"[Argument]\r\nArgc=2\r\nArgument_0=D3DX\r\nArgument_1=D3DXNew\r\n"
      L"[install]\r\nD3DX=1\r\nD3DXNew=1\r\n"
      L"[D3DX]\r\ntype=filefind\r\npath=system32\\d3dx9_\r\ncount=3\r\nstart=40\r\nlast=.dll\r\nwindir=1\r\n"
      L"[D3DXNew]\r\ntype=filefind\r\npath=system32\\d3dx9_\r\ncount=3\r\nstart=42\r\nlast=.dll\r\nwindir=1\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  const std::vector<std::wstring> check = {Installed(L"D3DX"), Installed(L"D3DX"), Installed(L"D3DX"),
                                           Installed(L"D3DXNew"), Installed(L"D3DXNew"),
                                           MissingFile(L"D3DXNew", 2, L"C:\\windows\\system32\\d3dx9_44.dll")};
  std::vector<std::wstring> expected = {Mark(1, L"DirectX"), Mark(1, L"DirectX new"), Count(2)};
  for (int pass = 0; pass < 3; ++pass) {
    expected.insert(expected.end(), check.begin(), check.end());
    if (pass < 2) {
      expected.push_back(NoInstaller(L"D3DXNew"));
      expected.push_back(NCheck(1));
    }
  }
  expected.push_back(kHelpPageRefused);
  EXPECT_THAT(ComponentLines(run.log), ElementsAreArray(expected)) << Dump(run.log);
}

TEST(ComponentCatalogue, FileFindTakesWildcardsRelativeToTheGameFolderAndCountZeroIsPresent) {
  ComponentGame game;
  game.WriteText(L"redist\\vc8_runtime.dll", L"x");
  game.WriteText(L"redist\\vc9_runtime.dll", L"x");
  game.WriteCatalogue(
      L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=4\r\nArgument_0=VC\r\nArgument_1=Nothing\r\n"
      L"Argument_2=NoFolder\r\nArgument_3=Win\r\n"
      L"[install]\r\nVC=1\r\nNothing=1\r\nNoFolder=1\r\nWin=1\r\n"
      L"[VC]\r\ntype=filefind\r\npath=redist\\vc\r\ncount=2\r\nstart=8\r\nlast=_*.dll\r\n"
      L"[Nothing]\r\ntype=filefind\r\npath=no\\such\\file\r\ncount=0\r\n"
      L"[NoFolder]\r\ntype=filefind\r\npath=no\\such\\folder\\f\r\ncount=1\r\nstart=-1\r\nlast=.dll\r\n"
      L"[Win]\r\ntype=filefind\r\npath=system32\\d3dx9_4\r\ncount=1\r\nstart=3\r\nlast=*\r\nwindir=1\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  const std::vector<std::wstring> lines = ComponentLines(run.log);
  ASSERT_GE(lines.size(), 9u) << Dump(run.log);
  EXPECT_THAT(std::vector<std::wstring>(lines.begin() + 5, lines.begin() + 9),
              ElementsAre(Installed(L"VC"), Installed(L"VC"), MissingFile(L"NoFolder", 3, L"no\\such\\folder\\f-1.dll"),
                          Installed(L"Win")))
      << Dump(run.log);
}

TEST(ComponentCatalogue, FileFindStopsAtTheFirstMissingFileEvenWhenLaterOnesExist) {
  ComponentGame game;
  game.WriteText(L"redist\\gap1.dll", L"x");
  game.WriteText(L"redist\\gap3.dll", L"x");
  game.WriteCatalogue(L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=1\r\nArgument_0=Gap\r\n[install]\r\nGap=1\r\n"
                      L"[Gap]\r\ntype=filefind\r\npath=redist\\gap\r\ncount=3\r\nstart=1\r\nlast=.dll\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  const std::vector<std::wstring> lines = ComponentLines(run.log);
  const std::wstring missing = MissingFile(L"Gap", 2, L"redist\\gap2.dll");
  const auto count = [&](const std::wstring& line) { return std::count(lines.begin(), lines.end(), line); };
  // Each check: gap1 found, gap2 missing, gap3 never looked at; the component stays missing.
  ASSERT_GE(count(missing), 1) << Dump(run.log);
  EXPECT_EQ(count(Installed(L"Gap")), count(missing)) << Dump(run.log);
  for (const auto& line : lines) EXPECT_EQ(line.find(L"gap3"), std::wstring::npos) << vtest::ToUtf8(line);
  EXPECT_EQ(lines.back(), kHelpPageRefused) << Dump(run.log);
}

TEST(ComponentCatalogue, FileFindWithTheRedirectionOffSeesTheNativeSystemFolder) {
  if (!vtest::Is64BitPrefix()) GTEST_SKIP() << "a 64-bit Windows matter";
  const std::wstring leaf = L"vorlan_" + TestName() + L"_7.dat";
  const std::wstring nativeFile = L"C:\\windows\\system32\\" + leaf;
  {
    OS::ScopedRedirectionOff off;
    ASSERT_TRUE(vtest::WriteBytes(nativeFile, "x"));
  }
  ComponentGame game;
  game.WriteCatalogue(
      L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=2\r\nArgument_0=Native\r\nArgument_1=Redirected\r\n"
      L"[install]\r\nNative=1\r\nRedirected=1\r\n"
      L"[Native]\r\ntype=filefind\r\nIsCloseRedirection=1\r\nwindir=1\r\ncount=1\r\nstart=7\r\nlast=.dat\r\npath=system32\\vorlan_" +
      TestName() + L"_\r\n"
      L"[Redirected]\r\ntype=filefind\r\nwindir=1\r\ncount=1\r\nstart=7\r\nlast=.dat\r\npath=system32\\vorlan_" + TestName() +
      L"_\r\n");
  LauncherRun run = game.Run();
  {
    OS::ScopedRedirectionOff off;
    ::DeleteFileW(nativeFile.c_str());
  }
  ASSERT_FALSE(run.timedOut);
  const std::vector<std::wstring> lines = ComponentLines(run.log);
  ASSERT_GE(lines.size(), 7u) << Dump(run.log);
  EXPECT_THAT(std::vector<std::wstring>(lines.begin() + 3, lines.begin() + 7),
              ElementsAre(L"ComponentOption: CConfig::CheckComponentInfo.DisableRedirection. ComPonentName:Native, DisableDirection: 1",
                          Installed(L"Native"),
                          L"ComponentOption: CConfig::CheckComponentInfo.RevertRedirection. ComPonentName:Native, RevsertDirection: 1",
                          MissingFile(L"Redirected", 2, L"C:\\windows\\system32\\" + leaf)))
      << Dump(run.log);
}

TEST(ComponentCatalogue, TypesAreMatchedExactlyAndValuesAreCutAt259Characters) {
  TestKeys keys;
  const std::wstring longNick(300, L'N');
  const std::wstring longName(300, L'C');
  // A key path whose first 259 characters name nothing.
  const std::wstring longPath = TestKey(std::wstring(300 - TestKey().size() - 1, L'k'));
  ComponentGame game;
  game.WriteCatalogue(
      L"[Public]\r\nLanguage=Chinese\r\n[Chinese]\r\nCase=" + longNick + L"\r\n"
      L"[Argument]\r\nArgc=3\r\nArgument_0=Case\r\nArgument_1=Long\r\nArgument_2=" + longName + L"\r\n"
      L"[install]\r\nCase=1\r\nLong=1\r\n" + longName.substr(0, 259) + L"=1\r\n"
      L"[Case]\r\ntype=RegRead\r\npath=Software\\NoSuchKeyAnywhere\r\n"
      L"[Long]\r\ntype=regread\r\npath=" + longPath + L"\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);
  const std::vector<std::wstring> lines = ComponentLines(run.log);
  ASSERT_GE(lines.size(), 5u) << Dump(run.log);
  // The nick name is cut; "RegRead" is not "regread", so "Case" is never checked.
  EXPECT_THAT(std::vector<std::wstring>(lines.begin(), lines.begin() + 5),
              ElementsAre(Mark(1, longNick.substr(0, 259)), Mark(1, L""), Mark(1, L""), Count(3), Missing(L"Long")))
      << Dump(run.log);
  // Only "Long" is missing: the long-named component took its mark from the
  // cut name and, having no section of that name, is not checked.
  EXPECT_THAT(scenario::TextsStartingWith(run.log, Check(L"组件[")),
              ElementsAre(Missing(L"Long"), Missing(L"Long"), Missing(L"Long")))
      << Dump(run.log);
}
