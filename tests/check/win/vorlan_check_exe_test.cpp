// vorlan-check.exe under Wine: option files in the ANSI code page are read
// as the launcher reads them (a Chinese language section is found by its
// name), findings and summary go to standard output, the exit code follows
// the worst finding.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check_run.h"
#include "vtest/files.h"
#include "vtest/test_paths.h"

namespace {

using checktest::CheckRun;
using checktest::RunCheck;

class VorlanCheckExe : public ::testing::Test {
 protected:
  void SetUp() override {
    vtest::RemoveTree(dir_);
    ASSERT_TRUE(vtest::MakeDirectories(dir_ + L"\\save"));
    ASSERT_TRUE(vtest::WriteBytes(dir_ + L"\\Game.exe", "MZ"));
  }
  void TearDown() override { vtest::RemoveTree(dir_); }
  void WriteOptions(const std::wstring& text) {
    ASSERT_TRUE(vtest::WriteBytes(dir_ + L"\\VorlanCfg.ini", vtest::ToAnsi(text)));
    ASSERT_TRUE(vtest::WriteBytes(dir_ + L"\\VorlanComponent.ini",
                                  vtest::ToAnsi(L"; 运行库\r\n[Public]\r\nLanguage=中文\r\n[中文]\r\nName=运行库\r\n"
                                                L"[Argument]\r\nArgc=0\r\n")));
  }

  const std::wstring dir_ = vtest::TestFolderFor(L"check");
};

const wchar_t kOptions[] =
    L"; test\r\n[Main]\r\nGameExe=Game.exe\r\n[ProcessMgr]\r\nArgc=1\r\n"
    L"[ProcessMgr_0]\r\nArgc=3\r\nArgument_0=Copy\r\nArgument_1=Component\r\nArgument_2=Main\r\n"
    L"[Copy]\r\nNum=1\r\n[Copy0]\r\nSrc=save\r\nDst=$CSIDL_APPDATA$\\游戏\r\n";

TEST_F(VorlanCheckExe, ReadsValuesAsTheLauncherDoesAndExitsCleanOnAGoodFolder) {
  WriteOptions(kOptions);
  const CheckRun run = RunCheck(dir_, L"\"" + dir_ + L"\"");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.lines, std::vector<std::wstring>{L"checked 1 game folder: 0 errors, 0 warnings"});
}

TEST_F(VorlanCheckExe, PrintsFileLineSeverityAndExitsTwoOnAnError) {
  std::wstring options = kOptions;
  options.replace(options.find(L"Argument_0=Copy"), 15, L"Argument_0=copy");
  WriteOptions(options + L"[Cpoy]\r\n");
  const CheckRun run = RunCheck(dir_, L"\"" + dir_ + L"\"");
  EXPECT_EQ(run.exitCode, 2u);
  const std::wstring file = dir_ + L"\\VorlanCfg.ini";
  EXPECT_EQ(run.lines, (std::vector<std::wstring>{
                           file + L":8: error: unknown step \"copy\" (step names are case-sensitive); did you mean \"Copy\"?",
                           file + L":11: warning: [Copy] is read only by the step \"Copy\", which no sub-process and not [Control] \"Exclude\" lists",
                           file + L":16: warning: [Cpoy] is not read by the launcher; did you mean [Copy]?",
                           L"checked 1 game folder: 1 error, 2 warnings"}));
}

TEST_F(VorlanCheckExe, ExampleGameFoldersCheckClean) {
  const CheckRun run = RunCheck(dir_, L"\"" + vtest::SourceDir() + L"\\examples\\games\"");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.lines, std::vector<std::wstring>{L"checked 5 game folders: 0 errors, 0 warnings"});
}

}  // namespace
