#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/files.h"
#include "vtest/launcher_run.h"
#include "vtest/recorder_runs.h"
#include "vtest/test_paths.h"

using namespace vtest;

TEST(Harness, RecorderRecordsWhatItWasGiven) {
  const std::wstring dir = TestFolderFor();
  RemoveTree(dir);
  MakeDirectories(dir + L"\\work dir");
  const std::wstring exe = dir + L"\\tools\\rec.exe";
  InstallRecorder(exe, RecorderConfig{.exitCode = 7});

  ProgramRun run = RunProgram(L"\"" + exe + L"\" alpha \"b c\" 中文", {.currentDir = dir + L"\\work dir"});
  ASSERT_TRUE(run.started);
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 7u);

  auto runs = ReadRecorderRuns(exe + L".rec");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, L"\"" + exe + L"\" alpha \"b c\" 中文");
  EXPECT_EQ(runs[0].currentDir, dir + L"\\work dir");
  EXPECT_EQ(runs[0].exe, exe);
  ASSERT_EQ(runs[0].args.size(), 4u);
  EXPECT_EQ(runs[0].args[2], L"b c");
  EXPECT_EQ(runs[0].processId, run.processId);
  EXPECT_FALSE(runs[0].endTime.empty());
}

TEST(Harness, RecorderCreatesWhatItIsToldTo) {
  const std::wstring dir = TestFolderFor();
  RemoveTree(dir);
  const std::wstring exe = dir + L"\\setup.exe";
  InstallRecorder(exe, RecorderConfig{.createRegKey = L"HKCU\\Software\\VorlanHarnessTest\\Made",
                                      .createFile = dir + L"\\made.txt"});
  HKEY key = nullptr;
  ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VorlanHarnessTest\\Made");
  ProgramRun run = RunProgram(L"\"" + exe + L"\"");
  ASSERT_TRUE(run.started);
  EXPECT_TRUE(FileExists(dir + L"\\made.txt"));
  EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VorlanHarnessTest\\Made", 0, KEY_READ, &key), ERROR_SUCCESS);
  if (key) ::RegCloseKey(key);
}

TEST(Harness, MessageBoxIsAnsweredLikeAPerson) {
  ProgramRun run = RunProgram(L"\"" + LogProbeExe() + L"\" msgbox", {.timeoutMs = 30000});
  ASSERT_TRUE(run.started);
  ASSERT_FALSE(run.timedOut) << "no message box was found and answered (is an X display available?)";
  EXPECT_EQ(run.exitCode, 5u);
  ASSERT_EQ(run.messageBoxes.size(), 1u);
  EXPECT_EQ(run.messageBoxes[0].caption, L"提示");
  EXPECT_EQ(run.messageBoxes[0].text, L"测试文本");
}
