// The registry steps in the real launcher: wired to their handlers. "ImportReg"
// applies a package registry file with the game folder as install
// directory and a failing .reg file after it, and logs each entry.

#include <windows.h>

#include <gtest/gtest.h>

#include "pkg_reg_win_support.h"
#include "step_run.h"
#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

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

TEST(RegistryStepsRun, KeysGamePathCompatibleAndRegDllAreWiredAndLogged) {
  const std::wstring key = L"Software\\VorlanTests\\RegistryStepsRun";
  const std::wstring layers = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
  DeleteTree(HKEY_CURRENT_USER, key);
  GameFolder game;
  game.MakeDir(L"com");
  ASSERT_TRUE(::CopyFileW(ComServerDll().c_str(), game.File(L"com\\a.dll").c_str(), FALSE));
  game.WriteOptionFile(
      L"[Main]\nIsShow=0\n[ProcessMgr]\nArgc=1\n[ProcessMgr_0]\nArgc=4\nArgument_0=keys\nArgument_1=GamePath\n"
      L"Argument_2=Compatible\nArgument_3=RegDll\n"
      L"[keys]\nNum=1\n[keys0]\nKey=HKCU\\" + key + L"\nName=CDKey\nData=SECRET-1\n"
      L"[GamePath]\nNum=1\n[GamePath0]\nKey=HKCU\\" + key + L"\nName=Path\nTrailingBackslash=1\n"
      L"[Compatible]\nNum=1\n[Compatible0]\nExe=game.exe\nLayers=WINXPSP3\n"
      L"[RegDll]\nNum=1\n[RegDll0]\nFile=com\\a.dll\n");
  const LauncherRun run = steptest::RunLauncher(game);

  const auto keys = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行注册CDKEY", L"CVorlanDlg::ProcessManage.已执行注册CDKEY ");
  EXPECT_EQ(steptest::TextsAtLevel(keys, 4),
            (std::vector<std::wstring>{L"KeysOption: CVorlanDlg::ProcessKeys. Write Key HKCU\\" + key + L"\\CDKey, Success",
                                       L"CVorlanDlg::PrintInfo: Write Key HKCU\\" + key + L"\\CDKey, Success"}))
      << Dump(run.log);
  const auto path = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行设置游戏路径", L"CVorlanDlg::ProcessManage.已执行设置游戏路径 ");
  EXPECT_EQ(steptest::TextsAtLevel(path, 4).at(0), L"GamePathOption: CVorlanDlg::ProcessGamePath. Set Game Path HKCU\\" +
                                                       key + L"\\Path = " + game.Path() + L"\\, Success");
  const auto compat = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行兼容性设置", L"CVorlanDlg::ProcessManage.已执行兼容性设置 ");
  ASSERT_EQ(steptest::TextsAtLevel(compat, 4).size(), 2u) << Dump(run.log);
  const auto regDll = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行注册COM组件", L"CVorlanDlg::ProcessManage.已执行注册COM组件 ");
  EXPECT_EQ(steptest::TextsAtLevel(regDll, 4).at(0),
            L"RegDllOption: CVorlanDlg::ProcessRegDll. Register " + game.File(L"com\\a.dll") + L", Success");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"CDKey"), L"SECRET-1");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key, L"Path"), game.Path() + L"\\");
  EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, layers, game.File(L"game.exe")));
  EXPECT_EQ(ReadBytes(game.File(L"com\\a.dll.rec")), "register\n");
  for (const auto& line : run.log) EXPECT_EQ(line.text.find(L"SECRET-1"), std::wstring::npos) << "the CD key is logged";
  DeleteTree(HKEY_CURRENT_USER, key);
  DeleteValue(HKEY_CURRENT_USER, layers, game.File(L"game.exe"));
}
