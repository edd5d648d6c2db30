// Installing the missing components under Wine, through the real launcher:
// installers in place, the copy to drive D: and the second pass from there,
// the keys removed around an installer, the Windows 7 sections, the help
// page. The installers are recorders that install (create what the check
// looks for) or install nothing.

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "component_scenario.h"
#include "vtest/shell_handler.h"

using namespace components_test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using vtest::Dump;
using vtest::LauncherRun;
using vtest::RecorderConfig;
using vtest::RecorderRun;

namespace {

const std::wstring kCatalogueHead =
    L"[Public]\r\nLanguage=Chinese\r\n[Chinese]\r\nName=运行库\r\nDX=DirectX\r\nDX64=DirectX 64\r\nVC=VC++\r\n";

// Each case has a game folder, the recorder "page\open.exe" as the handler
// of .htm pages, and a clean package folder on drive D:.
class ComponentInstall : public ::testing::Test {
 protected:
  void SetUp() override {
    vtest::RemoveTree(L"D:\\VtPkg");
    vtest::RemoveTree(L"D:\\VtPkgB");
    game_.AddRecorder(L"page\\open.exe");
    handler_ = std::make_unique<vtest::ScopedFileTypeHandler>(L".htm", game_.File(L"page\\open.exe"));
    ASSERT_TRUE(handler_->Registered());
    game_.WriteText(L"Chinese.htm", L"<html><body>缺少运行库</body></html>");
  }
  void TearDown() override {
    handler_.reset();
    vtest::RemoveTree(L"D:\\VtPkg");
    vtest::RemoveTree(L"D:\\VtPkgB");
  }

  std::vector<RecorderRun> PageRuns() const { return game_.RecorderRuns(L"page\\open.exe"); }
  // The page handler runs on its own: wait a little for it (the launcher
  // has ended, so when nothing came within a second, nothing will).
  std::vector<RecorderRun> PageRunsAfterAWhile() const {
    vtest::WaitUntil([&] { return !PageRuns().empty() && !PageRuns().back().endTime.empty(); }, 1000);
    return PageRuns();
  }
  std::wstring InPlace(const std::wstring& folder, const std::wstring& exe, const std::wstring& parameter) const {
    return L"\"" + game_.Path() + L"\\" + folder + L"\\" + exe + L"\" " + parameter;
  }

  TestKeys keys_;
  ComponentGame game_;
  std::unique_ptr<vtest::ScopedFileTypeHandler> handler_;
};

std::wstring Disable(const std::wstring& name) {
  return L"ComponentOption: CConfig::CheckComponentInfo.DisableRedirection. ComPonentName:" + name + L", DisableDirection: 1";
}
std::wstring Revert(const std::wstring& name) {
  return L"ComponentOption: CConfig::CheckComponentInfo.RevertRedirection. ComPonentName:" + name + L", RevsertDirection: 1";
}

}  // namespace

TEST_F(ComponentInstall, InstallersThatInstallRunOnceInPlaceAndTheStepWritesTheCompletionMark) {
  game_.AddRecorder(L"VtPkg\\setup.exe", RecorderConfig{.sleepMs = 300, .createRegKey = L"HKLM\\" + TestKey(L"DX")});
  game_.AddRecorder(L"VtPkg\\setup64.exe",
                    RecorderConfig{.createRegKey = L"HKLM\\" + TestKey(L"DX64"), .regView = L"64"});
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=2\r\nArgument_0=DX\r\nArgument_1=DX64\r\n[install]\r\nDX=1\r\nDX64=1\r\n"
                       L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") + L"\r\nlocal=VtPkg\r\nexe=setup.exe\r\nparameter=/S\r\n"
                       L"[DX64]\r\ntype=regread\r\nIsCloseRedirection=1\r\npath=" + TestKey(L"DX64") +
                       L"\r\nlocal=VtPkg\r\nexe=setup64.exe\r\nparameter=/quiet /norestart\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  const std::wstring dx = InPlace(L"VtPkg", L"setup.exe", L"/S");
  const std::wstring dx64 = InPlace(L"VtPkg", L"setup64.exe", L"/quiet /norestart");
  EXPECT_THAT(ComponentLines(run.log),
              ElementsAre(Mark(1, L"DirectX"), Mark(1, L"DirectX 64"), Count(2),
                          Missing(L"DX"), Disable(L"DX64"), Missing(L"DX64"), Revert(L"DX64"),
                          Started(dx), Started(dx64), NCheck(2),
                          Installed(L"DX"), Disable(L"DX64"), Installed(L"DX64"), Revert(L"DX64")))
      << Dump(run.log);

  const auto runs = game_.RecorderRuns(L"VtPkg\\setup.exe");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, dx);
  EXPECT_EQ(runs[0].currentDir, game_.File(L"VtPkg"));
  EXPECT_THAT(runs[0].args, ElementsAre(game_.File(L"VtPkg\\setup.exe"), L"/S"));
  const auto runs64 = game_.RecorderRuns(L"VtPkg\\setup64.exe");
  ASSERT_EQ(runs64.size(), 1u);
  EXPECT_EQ(runs64[0].currentDir, game_.File(L"VtPkg"));
  // The start is logged while the installer runs; the next one starts, and
  // the check comes, only after it ended.
  const auto lines = ComponentLogLines(run.log);
  EXPECT_LE(lines[7].time, runs[0].endTime);
  EXPECT_GE(runs64[0].startTime, runs[0].endTime);
  EXPECT_GE(lines[10].time, runs64[0].endTime);

  EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 1u);
  EXPECT_LT(FindPrefix(run.log, kWriteTimeToReg), FindPrefix(run.log, kComponentEnd));
  EXPECT_FALSE(vtest::DirectoryExists(L"D:\\VtPkg"));
  EXPECT_TRUE(PageRunsAfterAWhile().empty());
}

TEST_F(ComponentInstall, AComponentStillMissingIsCopiedToDriveDAndTriedAgainThenTheHelpPageOpensOnce) {
  game_.AddRecorder(L"VtPkg\\setup.exe", RecorderConfig{.exitCode = 1, .output = game_.File(L"installs.rec")});
  game_.WriteText(L"VtPkg\\data\\runtime.cab", L"cab");
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=1\r\nArgument_0=DX\r\n[install]\r\nDX=1\r\n"
                       L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") + L"\r\nlocal=VtPkg\r\nexe=setup.exe\r\nparameter=/S\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  const std::wstring fromD = L"d:\\VtPkg\\setup.exe /S";
  EXPECT_THAT(ComponentLines(run.log),
              ElementsAre(Mark(1, L"DirectX"), Count(1), Missing(L"DX"), Started(InPlace(L"VtPkg", L"setup.exe", L"/S")),
                          NCheck(1), Missing(L"DX"), Copied(1), Started(fromD), NCheck(1), Missing(L"DX")))
      << Dump(run.log);

  const auto runs = vtest::ReadRecorderRuns(game_.File(L"installs.rec"));
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].currentDir, game_.File(L"VtPkg"));
  EXPECT_EQ(runs[1].commandLine, fromD);
  EXPECT_EQ(runs[1].exe, L"d:\\VtPkg\\setup.exe");
  EXPECT_EQ(runs[1].currentDir, L"d:\\VtPkg") << "run from its folder on drive D:";
  // The whole package folder was copied, sub-folders included.
  EXPECT_TRUE(vtest::FileExists(L"D:\\VtPkg\\setup.exe.cfg"));
  EXPECT_EQ(vtest::ReadBytes(L"D:\\VtPkg\\data\\runtime.cab"), "cab");

  const auto pages = PageRunsAfterAWhile();
  ASSERT_EQ(pages.size(), 1u) << "the help page opens exactly once";
  ASSERT_EQ(pages[0].args.size(), 2u);
  EXPECT_EQ(pages[0].args[1], game_.File(L"Chinese.htm"));
  EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 0u) << "components are missing: no completion mark";
}

TEST_F(ComponentInstall, AnInstallerThatWorksOnlyFromDriveDEndsTheStepWithoutTheHelpPage) {
  // It creates its mark file in its working folder; the check looks on D:.
  game_.AddRecorder(L"VtPkg\\setup.exe", RecorderConfig{.createFile = L"installed1.flag"});
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=1\r\nArgument_0=DX\r\n[install]\r\nDX=1\r\n"
                       L"[DX]\r\ntype=filefind\r\npath=d:\\VtPkg\\installed\r\ncount=1\r\nstart=1\r\nlast=.flag\r\n"
                       L"local=VtPkg\r\nexe=setup.exe\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  const std::wstring flag = L"d:\\VtPkg\\installed1.flag";
  EXPECT_THAT(ComponentLines(run.log),
              ElementsAre(Mark(1, L"DirectX"), Count(1), MissingFile(L"DX", 3, flag),
                          Started(InPlace(L"VtPkg", L"setup.exe", L"")), NCheck(1), MissingFile(L"DX", 3, flag), Copied(1),
                          Started(L"d:\\VtPkg\\setup.exe "), NCheck(1), Installed(L"DX")))
      << Dump(run.log);
  EXPECT_TRUE(vtest::FileExists(game_.File(L"VtPkg\\installed1.flag")));
  EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 1u);
  EXPECT_TRUE(PageRunsAfterAWhile().empty());
}

TEST_F(ComponentInstall, WindowsInstallerPackagesGoThroughMsiexecInBothPasses) {
  // The launcher's own folder comes first when a program is looked for.
  game_.AddRecorder(L"MSIEXEC.EXE", RecorderConfig{.output = game_.File(L"installs.rec")});
  game_.WriteText(L"VtPkg\\vc.msi", L"msi");
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=1\r\nArgument_0=VC\r\n[install]\r\nVC=1\r\n"
                       L"[VC]\r\ntype=regread\r\npath=" + TestKey(L"VC") +
                       L"\r\nlocal=VtPkg\r\nexe=vc.msi\r\nmsi=1\r\nparameter=/quiet\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  const std::wstring inPlace = L"MSIEXEC.EXE /i \"" + game_.File(L"VtPkg\\vc.msi") + L"\" /quiet";
  const std::wstring fromD = L"MSIEXEC.EXE /i \"d:\\VtPkg\\vc.msi\" /quiet";
  EXPECT_THAT(ComponentLines(run.log), ElementsAre(Mark(1, L"VC++"), Count(1), Missing(L"VC"), Started(inPlace), NCheck(1),
                                                   Missing(L"VC"), Copied(1), Started(fromD), NCheck(1), Missing(L"VC")))
      << Dump(run.log);
  const auto runs = vtest::ReadRecorderRuns(game_.File(L"installs.rec"));
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].commandLine, inPlace);
  EXPECT_EQ(runs[0].currentDir, game_.File(L"VtPkg"));
  EXPECT_EQ(runs[1].commandLine, fromD);
  EXPECT_EQ(runs[1].currentDir, L"d:\\VtPkg");
  EXPECT_EQ(vtest::ReadBytes(L"D:\\VtPkg\\vc.msi"), "msi");
  EXPECT_EQ(PageRunsAfterAWhile().size(), 1u);
}

TEST_F(ComponentInstall, TheKeyToRemoveIsGoneBeforeTheInstallerRunsAndAfterIt) {
  const std::wstring stale = L"VorlanTests." + TestName() + L".Stale";
  const std::wstring kept = L"VorlanTests." + TestName() + L".Kept";
  vtest::DeleteTree(HKEY_CLASSES_ROOT, kept);
  ASSERT_TRUE(vtest::WriteString(HKEY_CLASSES_ROOT, stale + L"\\CLSID", L"", L"{stale}"));
  // The installer registers the key again, as real ones do.
  game_.AddRecorder(L"VtPkg\\setup.exe",
                    RecorderConfig{.createRegKey = L"HKCR\\" + stale, .probeRegKey = L"HKCR\\" + stale,
                                   .output = game_.File(L"installs.rec")});
  game_.AddRecorder(L"VtPkgB\\setup.exe", RecorderConfig{.createRegKey = L"HKCR\\" + kept, .createFile = L"installed1.flag"});
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=2\r\nArgument_0=DX\r\nArgument_1=VC\r\n[install]\r\nDX=1\r\nVC=1\r\n"
                       L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") +
                       L"\r\nlocal=VtPkg\r\nexe=setup.exe\r\nregremove=" + stale + L"\r\n"
                       L"[VC]\r\ntype=filefind\r\npath=VtPkgB\\installed\r\ncount=1\r\nstart=1\r\nlast=.flag\r\n"
                       L"local=VtPkgB\r\nexe=setup.exe\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  const auto runs = vtest::ReadRecorderRuns(game_.File(L"installs.rec"));
  ASSERT_EQ(runs.size(), 2u) << Dump(run.log);
  EXPECT_EQ(runs[0].probe, 0) << "removed before the installer in place";
  EXPECT_EQ(runs[1].probe, 0) << "removed after the first installer";
  EXPECT_FALSE(vtest::KeyExists(HKEY_CLASSES_ROOT, stale)) << "removed after the installer from D:";
  // Without "regremove" an installer's keys stay.
  EXPECT_EQ(game_.RecorderRuns(L"VtPkgB\\setup.exe").size(), 1u);
  EXPECT_TRUE(vtest::KeyExists(HKEY_CLASSES_ROOT, kept));
  vtest::DeleteTree(HKEY_CLASSES_ROOT, stale);
  vtest::DeleteTree(HKEY_CLASSES_ROOT, kept);
}

TEST_F(ComponentInstall, AnAlwaysMissingComponentIsInstalledOnceAndOnlyAFailedStartLeadsToTheHelpPage) {
  game_.AddRecorder(L"VtPkg\\setup.exe", RecorderConfig{.output = game_.File(L"installs.rec")});
  game_.WriteText(L"VtPkgB\\readme.txt", L"the installer is missing");
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=2\r\nArgument_0=DX\r\nArgument_1=VC\r\n[install]\r\nDX=2\r\nVC=2\r\n"
                       L"[DX]\r\nlocal=VtPkg\r\nexe=setup.exe\r\nparameter=/S\r\n"
                       L"[VC]\r\nlocal=VtPkgB\r\nexe=vcsetup.exe\r\nparameter=/S\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_THAT(ComponentLines(run.log),
              ElementsAre(Mark(2, L"DirectX"), Mark(2, L"VC++"), Count(2), Started(InPlace(L"VtPkg", L"setup.exe", L"/S")),
                          Started(InPlace(L"VtPkgB", L"vcsetup.exe", L"/S"), 0), NCheck(2), Copied(1),
                          Started(L"d:\\VtPkgB\\vcsetup.exe /S", 0), NCheck(1)))
      << Dump(run.log);
  EXPECT_EQ(vtest::ReadRecorderRuns(game_.File(L"installs.rec")).size(), 1u);
  EXPECT_FALSE(vtest::DirectoryExists(L"D:\\VtPkg")) << "the started installer is not repeated from D:";
  EXPECT_TRUE(vtest::FileExists(L"D:\\VtPkgB\\readme.txt"));
  EXPECT_EQ(PageRunsAfterAWhile().size(), 1u);
}

TEST_F(ComponentInstall, AnInstallerBesideTheLauncherIsTriedInPlaceOnlyAndAMissingPageIsReported) {
  game_.AddRecorder(L"setup.exe", RecorderConfig{.exitCode = 3});
  ::DeleteFileW(game_.File(L"Chinese.htm").c_str());
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=1\r\nArgument_0=DX\r\n[install]\r\nDX=1\r\n"
                       L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") + L"\r\nexe=setup.exe\r\nparameter=/S\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  const std::wstring noFolder =
      Install(L"[DX] names no package folder (\"local\" is empty); nothing to copy to D for DX");
  const std::wstring pageFailed = L"ComponentOption: CComponent::Setup. ShellExecute Chinese.htm Failed. nError: 2";
  EXPECT_THAT(ComponentLines(run.log),
              ElementsAre(Mark(1, L"DirectX"), Count(1), Missing(L"DX"), Started(L"\"" + game_.Path() + L"\\\\setup.exe\" /S"),
                          NCheck(1), Missing(L"DX"), noFolder, NCheck(1), Missing(L"DX"), pageFailed))
      << Dump(run.log);
  EXPECT_TRUE(scenario::Has(run.log, noFolder, 32));
  EXPECT_TRUE(scenario::Has(run.log, pageFailed, 32));
  const auto runs = game_.RecorderRuns(L"setup.exe");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].currentDir, game_.Path());
  EXPECT_TRUE(PageRunsAfterAWhile().empty());
}

TEST_F(ComponentInstall, APackageFolderOutsideTheCurrentDirectoryIsNeverCopiedToD) {
  game_.AddRecorder(L"setup.exe", RecorderConfig{.exitCode = 3});
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=1\r\nArgument_0=DX\r\n[install]\r\nDX=1\r\n"
                       L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") + L"\r\nlocal=.\r\nexe=setup.exe\r\nparameter=/S\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  const std::wstring refused =
      Install(L"[DX] \"local\" . is not a folder below the current directory; nothing copied to D for DX");
  EXPECT_THAT(ComponentLines(run.log),
              ElementsAre(Mark(1, L"DirectX"), Count(1), Missing(L"DX"),
                          Started(L"\"" + game_.Path() + L"\\.\\setup.exe\" /S"), NCheck(1), Missing(L"DX"), refused,
                          NCheck(1), Missing(L"DX")))
      << Dump(run.log);
  EXPECT_TRUE(scenario::Has(run.log, refused, 32));
  EXPECT_EQ(game_.RecorderRuns(L"setup.exe").size(), 1u) << "tried in place only";
  EXPECT_FALSE(vtest::FileExists(L"D:\\setup.exe")) << "the game folder was not copied to the root of D:";
  EXPECT_EQ(PageRunsAfterAWhile().size(), 1u);
}

TEST_F(ComponentInstall, OnWindows7TheWin7SectionNamesTheInstallerAndSkipAtWindows7Holds) {
  // Wine reports Windows 7 unless told otherwise; the second copy is told Windows 10.
  ComponentGame win10(vtest::GameFolderOptions{.suffix = L"-win10", .exeName = L"VorlanWin10.exe", .windowsVersion = L"win10"});
  const std::wstring catalogue =
      kCatalogueHead +
      L"[Argument]\r\nArgc=3\r\nArgument_0=DX\r\nArgument_1=VC\r\nArgument_2=Skip\r\n[install]\r\nDX=1\r\nVC=1\r\nSkip=2\r\n"
      L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") + L"\r\nlocal=VtPkg\r\nexe=setup.exe\r\nparameter=/xp\r\n"
      L"[DXWin7]\r\nlocal=VtPkg7\r\nexe=setup7.exe\r\nparameter=/win7\r\n"
      L"[VC]\r\ntype=regread\r\npath=" + TestKey(L"VC") + L"\r\nlocal=VtPkg\r\nexe=vc.exe\r\n"
      L"[VCWin7]\r\nlocal=VtPkg7\r\nparameter=/win7\r\n"
      L"[Skip]\r\nSkipAtWindows7=1\r\nlocal=VtPkg\r\nexe=skip.exe\r\n";
  for (const ComponentGame* game : {&game_, &win10}) {
    game->AddRecorder(L"VtPkg\\setup.exe", RecorderConfig{.createRegKey = L"HKLM\\" + TestKey(L"DX")});
    game->AddRecorder(L"VtPkg7\\setup7.exe", RecorderConfig{.createRegKey = L"HKLM\\" + TestKey(L"DX")});
    game->AddRecorder(L"VtPkg\\vc.exe", RecorderConfig{.createRegKey = L"HKLM\\" + TestKey(L"VC")});
    game->AddRecorder(L"VtPkg\\skip.exe");
    game->WriteCatalogue(catalogue);
  }
  LauncherRun run7 = game_.Run();
  ASSERT_FALSE(run7.timedOut);
  EXPECT_THAT(ComponentLines(run7.log),
              ElementsAre(Mark(1, L"DirectX"), Mark(1, L"VC++"), Mark(2, L""), Count(3), Missing(L"DX"), Missing(L"VC"),
                          Started(InPlace(L"VtPkg7", L"setup7.exe", L"/win7")), Started(InPlace(L"VtPkg", L"vc.exe", L"")),
                          NCheck(2), Installed(L"DX"), Installed(L"VC")))
      << Dump(run7.log);
  EXPECT_EQ(game_.RecorderRuns(L"VtPkg7\\setup7.exe").size(), 1u);
  EXPECT_TRUE(game_.RecorderRuns(L"VtPkg\\setup.exe").empty());
  EXPECT_TRUE(game_.RecorderRuns(L"VtPkg\\skip.exe").empty());

  TestKeys::Clear();
  LauncherRun run10 = win10.Run();
  ASSERT_FALSE(run10.timedOut);
  EXPECT_THAT(ComponentLines(run10.log),
              ElementsAre(Mark(1, L"DirectX"), Mark(1, L"VC++"), Mark(2, L""), Count(3), Missing(L"DX"), Missing(L"VC"),
                          Started(L"\"" + win10.Path() + L"\\VtPkg\\setup.exe\" /xp"),
                          Started(L"\"" + win10.Path() + L"\\VtPkg\\vc.exe\" "),
                          Started(L"\"" + win10.Path() + L"\\VtPkg\\skip.exe\" "), NCheck(3), Installed(L"DX"),
                          Installed(L"VC")))
      << Dump(run10.log);
  EXPECT_TRUE(win10.RecorderRuns(L"VtPkg7\\setup7.exe").empty());
  EXPECT_EQ(win10.RecorderRuns(L"VtPkg\\skip.exe").size(), 1u);
  EXPECT_TRUE(PageRunsAfterAWhile().empty());
}

TEST_F(ComponentInstall, ASecondComponentStepInTheSameRunReadsTheCatalogueAfreshAndFindsItInstalled) {
  game_.WriteOptionFile(
      L"[ProcessMgr]\r\nArgc=1\r\n"
      L"[ProcessMgr_0]\r\nArgc=3\r\nArgument_0=Component\r\nArgument_1=Component\r\nArgument_2=Main\r\n");
  game_.AddRecorder(L"VtPkg\\setup.exe", RecorderConfig{.createRegKey = L"HKLM\\" + TestKey(L"DX")});
  game_.WriteCatalogue(kCatalogueHead +
                       L"[Argument]\r\nArgc=1\r\nArgument_0=DX\r\n[install]\r\nDX=1\r\n"
                       L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") + L"\r\nlocal=VtPkg\r\nexe=setup.exe\r\n");
  LauncherRun run = game_.Run();
  ASSERT_FALSE(run.timedOut);
  EXPECT_THAT(ComponentLines(run.log),
              ElementsAre(Mark(1, L"DirectX"), Count(1), Missing(L"DX"), Started(InPlace(L"VtPkg", L"setup.exe", L"")),
                          NCheck(1), Installed(L"DX"), Mark(1, L"DirectX"), Count(1), Installed(L"DX")))
      << Dump(run.log);
  EXPECT_EQ(game_.RecorderRuns(L"VtPkg\\setup.exe").size(), 1u);
  EXPECT_EQ(CountPrefix(run.log, kWriteTimeToReg), 2u) << "each run of the step found everything present";
}
