// Step "ImportReg" in the real launcher: the step is wired to its handler,
// applies a package registry file with the game folder as install
// directory and a failing .reg file after it, and logs each entry.

#include <windows.h>

#include <gtest/gtest.h>

#include "pkg_reg_win_support.h"
#include "step_run.h"
#include "vtest/files.h"
#include "vtest/registry.h"

using namespace vtest;

TEST(ImportRegRun, APackageRegistryFileIsAppliedAndEachEntryIsLogged) {
  const std::wstring key = L"Software\\VorlanTests\\ImportRegRun";
  DeleteTree(HKEY_CURRENT_USER, key);
  GameFolder game;
  game.MakeDir(L"reg");
  pkgreg_test::WritePkgRegFile(game.File(L"reg\\game.nfd"),
                               {pkgreg_test::AnsiEntry(0, 1, L"HKCU\\" + key + L"\\Path", "%InstallDir%\\bin")});
  ASSERT_TRUE(WriteBytes(game.File(L"reg\\bad.reg"), "REGEDIT4\r\n\"x\"=\"1\"\r\n"));
  game.WriteOptionFile(steptest::OptionFileRunning(
      L"ImportReg", L"[ImportReg]\nNum=2\n[ImportReg0]\nFile=reg\\game.nfd\n[ImportReg1]\nFile=reg\\bad.reg\n"));
  const LauncherRun run = steptest::RunLauncher(game);

  const auto lines = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行导入注册表",
                                         L"CVorlanDlg::ProcessManage.已执行导入注册表 ");
  const std::wstring nfd = game.File(L"reg\\game.nfd");
  const std::wstring bad = game.File(L"reg\\bad.reg");
  const std::wstring failed = L"Import Reg " + bad + L", Failed: line 2: value before any key";
  EXPECT_EQ(steptest::TextsAtLevel(lines, 4),
            (std::vector<std::wstring>{
                L"PkgRegOption: ApplyPkgRegFile. " + nfd + L" Success, 1 written, 0 skipped",
                L"ImportRegOption: CVorlanDlg::ProcessImportReg. Import " + nfd + L", Success",
                L"CVorlanDlg::PrintInfo: Import Reg " + nfd + L", Success",
                L"CVorlanDlg::PrintInfo: " + failed}))
      << Dump(run.log);
  EXPECT_EQ(steptest::TextsAtLevel(lines, 32),
            std::vector<std::wstring>{L"ImportRegOption: CVorlanDlg::ProcessImportReg. Import " + bad +
                                      L", Failed: line 2: value before any key, error 13"})
      << Dump(run.log);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Path"), game.Path() + L"\\bin");
  DeleteTree(HKEY_CURRENT_USER, key);
}
