// What an installation pass does for one component.

#include <gtest/gtest.h>

#include "components/core/install_plan.h"

using namespace vorlan;

namespace {
InstallerSettings Settings(std::wstring local, std::wstring exe, std::wstring parameter, int msi = 0,
                           std::wstring regRemove = L"") {
  return InstallerSettings{std::move(local), std::move(exe), std::move(parameter), msi, std::move(regRemove)};
}
}  // namespace

TEST(InstallPlan, PassZeroRunsTheInstallerInPlaceFromItsFolder) {
  InstallPlan plan = PlanInstall(0, L"C:\\Games\\Hero", Settings(L"redist\\dx", L"dxsetup.exe", L"/silent"));
  EXPECT_EQ(plan.skip, InstallPlan::Skip::None);
  EXPECT_FALSE(plan.copyToDriveD);
  EXPECT_EQ(plan.installer.commandLine, L"\"C:\\Games\\Hero\\redist\\dx\\dxsetup.exe\" /silent");
  EXPECT_EQ(plan.installer.workingDirectory, L"C:\\Games\\Hero\\redist\\dx");
  EXPECT_FALSE(plan.removeKeyBefore);
  EXPECT_FALSE(plan.removeKeyAfter);

  plan = PlanInstall(0, L"C:\\Games\\Hero", Settings(L"vc", L"vcredist.msi", L"/quiet", 1, L"CLSID\\{X}"));
  EXPECT_EQ(plan.installer.commandLine, L"MSIEXEC.EXE /i \"C:\\Games\\Hero\\vc\\vcredist.msi\" /quiet");
  EXPECT_EQ(plan.installer.workingDirectory, L"C:\\Games\\Hero\\vc");
  EXPECT_TRUE(plan.removeKeyBefore);
  EXPECT_TRUE(plan.removeKeyAfter);
}

TEST(InstallPlan, EmptyParametersStillLeaveTheBlankAndAnEmptyFolderADoubleBackslash) {
  InstallPlan plan = PlanInstall(0, L"C:\\G", Settings(L"", L"setup.exe", L""));
  EXPECT_EQ(plan.installer.commandLine, L"\"C:\\G\\\\setup.exe\" ");
  EXPECT_EQ(plan.installer.workingDirectory, L"C:\\G\\");
  plan = PlanInstall(0, L"C:\\G", Settings(L"a", L"b.msi", L"", 7));
  EXPECT_EQ(plan.installer.commandLine, L"MSIEXEC.EXE /i \"C:\\G\\a\\b.msi\" ");
}

TEST(InstallPlan, PassOneCopiesThePackageToDriveDAndRunsItFromThere) {
  InstallPlan plan = PlanInstall(1, L"C:\\Games\\Hero", Settings(L"redist\\dx", L"dxsetup.exe", L"/silent", 0, L"K"));
  EXPECT_EQ(plan.skip, InstallPlan::Skip::None);
  ASSERT_TRUE(plan.copyToDriveD);
  EXPECT_EQ(plan.copy.commandLine, L"xcopy redist\\dx d:\\redist\\dx\\ /s/y");
  EXPECT_EQ(plan.copy.workingDirectory, L"C:\\Games\\Hero");
  EXPECT_EQ(plan.installer.commandLine, L"d:\\redist\\dx\\dxsetup.exe /silent");
  EXPECT_EQ(plan.installer.workingDirectory, L"d:\\redist\\dx");
  EXPECT_FALSE(plan.removeKeyBefore);
  EXPECT_TRUE(plan.removeKeyAfter);

  plan = PlanInstall(1, L"C:\\Games\\Hero", Settings(L"vc", L"vcredist.msi", L"/quiet", 1));
  EXPECT_EQ(plan.copy.commandLine, L"xcopy vc d:\\vc\\ /s/y");
  EXPECT_EQ(plan.installer.commandLine, L"MSIEXEC.EXE /i \"d:\\vc\\vcredist.msi\" /quiet");
  EXPECT_EQ(plan.installer.workingDirectory, L"d:\\vc");
  EXPECT_FALSE(plan.removeKeyAfter);
}

TEST(InstallPlan, NothingRunsWithoutAnInstallerOrWithoutAFolderToCopy) {
  InstallPlan plan = PlanInstall(0, L"C:\\G", Settings(L"dx", L"", L"/s", 0, L"K"));
  EXPECT_EQ(plan.skip, InstallPlan::Skip::NoInstaller);
  EXPECT_FALSE(plan.removeKeyBefore);
  EXPECT_TRUE(plan.installer.commandLine.empty());
  EXPECT_EQ(PlanInstall(1, L"C:\\G", Settings(L"dx", L"", L"/s")).skip, InstallPlan::Skip::NoInstaller);
  // Without a package folder the copy would be "xcopy  d:\\ /s/y": all of drive D: into the game folder.
  plan = PlanInstall(1, L"C:\\G", Settings(L"", L"setup.exe", L""));
  EXPECT_EQ(plan.skip, InstallPlan::Skip::NoPackageFolder);
  EXPECT_FALSE(plan.copyToDriveD);
  EXPECT_EQ(PlanInstall(0, L"C:\\G", Settings(L"", L"setup.exe", L"")).skip, InstallPlan::Skip::None);
}

TEST(InstallPlan, ThePassFromDriveDCopiesOnlyAFolderBelowTheCurrentDirectory) {
  // xcopy \ d:\\\ /s/y would copy the whole drive, xcopy . d:\.\ /s/y the game folder to D:'s root.
  for (const wchar_t* local : {L"\\", L"\\dx", L"/dx", L".", L"..", L"dx\\..\\..", L"./dx", L"C:\\dx", L"C:dx", L"dx\\.\\x"}) {
    const InstallPlan plan = PlanInstall(1, L"C:\\G", Settings(local, L"setup.exe", L""));
    EXPECT_EQ(plan.skip, InstallPlan::Skip::UnsafePackageFolder) << local;
    EXPECT_FALSE(plan.copyToDriveD);
  }
  for (const wchar_t* local : {L"dx", L"vc\\2008", L"vc/2008", L"dx\\", L"..dx", L"dx..", L"a.b"}) {
    const InstallPlan plan = PlanInstall(1, L"C:\\G", Settings(local, L"setup.exe", L""));
    EXPECT_EQ(plan.skip, InstallPlan::Skip::None);
    EXPECT_TRUE(plan.copyToDriveD);
  }
  // The pass in place keeps whatever "local" says, as before.
  EXPECT_EQ(PlanInstall(0, L"C:\\G", Settings(L"..\\dx", L"setup.exe", L"")).skip, InstallPlan::Skip::None);
}
