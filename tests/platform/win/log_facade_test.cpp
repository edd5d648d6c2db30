// The logging facade and the logging library together, under Wine, driven
// by the log_probe program.

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "vtest/files.h"
#include "vtest/launcher_run.h"
#include "vtest/log_lines.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

class LogFacade : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(dir_);
    MakeDirectories(dir_);
  }

  void PlaceProbe(const std::wstring& name = L"log_probe.exe") {
    exe_ = dir_ + L"\\" + name;
    ASSERT_TRUE(::CopyFileW(LogProbeExe().c_str(), exe_.c_str(), FALSE));
  }
  void PlaceLibrary() { ASSERT_TRUE(::CopyFileW(ZrLogDll().c_str(), (dir_ + L"\\ZR_log.dll").c_str(), FALSE)); }

  ProgramRun Probe(const std::wstring& args) {
    ProgramRun run = RunProgram(L"\"" + exe_ + L"\" " + args, {.timeoutMs = 60000});
    EXPECT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    return run;
  }

  std::wstring dir_ = TestFolderFor();
  std::wstring exe_;
};

}  // namespace

TEST_F(LogFacade, ModuleNameIsTheFileNameWithoutExtension) {
  PlaceProbe(L"Game.Launcher.exe");
  PlaceLibrary();
  ProgramRun run = Probe(L"text 16 hello");
  EXPECT_EQ(run.exitCode, 0u);
  auto log = ReadLogFolder(dir_);
  ASSERT_EQ(log.size(), 1u) << Dump(log);
  EXPECT_EQ(log[0].module, L"Game.Launcher");
  EXPECT_EQ(log[0].level, 16);
  EXPECT_EQ(log[0].text, L"hello");
  EXPECT_EQ(log[0].processId, run.processId);
}

TEST_F(LogFacade, WithoutTheLibraryTheProgramRunsAndNothingIsWritten) {
  PlaceProbe();
  ProgramRun run = Probe(L"text 4 hello");
  EXPECT_EQ(run.exitCode, 3u);  // ran to its end, facade without output
  EXPECT_FALSE(DirectoryExists(dir_ + L"\\Log"));
}

TEST_F(LogFacade, ALibraryWithoutTheExportCountsAsAbsent) {
  PlaceProbe();
  ASSERT_TRUE(::CopyFileW(NoExportDll().c_str(), (dir_ + L"\\ZR_log.dll").c_str(), FALSE));
  ProgramRun run = Probe(L"text 4 hello");
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_FALSE(DirectoryExists(dir_ + L"\\Log"));
}

TEST_F(LogFacade, AnUnloadableLibraryCountsAsAbsent) {
  PlaceProbe();
  ASSERT_TRUE(WriteBytes(dir_ + L"\\ZR_log.dll", "MZ this is not a library"));
  ProgramRun run = Probe(L"text 4 hello");
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_FALSE(DirectoryExists(dir_ + L"\\Log"));
}

TEST_F(LogFacade, LongMessagesAreCutAt32767Characters) {
  PlaceProbe();
  PlaceLibrary();
  Probe(L"long 40000");
  auto log = ReadLogFolder(dir_);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text.size(), 32767u);
  EXPECT_EQ(log[0].text.find_first_not_of(L'x'), std::wstring::npos);
}

TEST_F(LogFacade, CharactersOutsideTheCodePageAreReplacedNotDropped) {
  PlaceProbe();
  PlaceLibrary();
  ASSERT_EQ(::GetACP(), 936u) << "tests run with LC_ALL=zh_CN.UTF-8 (code page 936)";
  Probe(L"unicode");
  auto log = ReadLogFolder(dir_);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, L"mixed: 中文|?|end");
}

TEST_F(LogFacade, EightThreadsOfAThousandLinesArriveWholeAndOnce) {
  PlaceProbe();
  PlaceLibrary();
  Probe(L"threads 8 1000");
  auto log = ReadLogFolder(dir_);
  ASSERT_EQ(log.size(), 8000u);
  std::set<std::wstring> seen;
  std::set<unsigned long> threads;
  for (const auto& line : log) {
    EXPECT_EQ(line.level, 4);
    EXPECT_EQ(line.module, L"log_probe");
    seen.insert(line.text);
    threads.insert(line.threadId);
  }
  EXPECT_EQ(threads.size(), 8u);
  for (int t = 0; t < 8; ++t)
    for (int n = 0; n < 1000; ++n)
      EXPECT_TRUE(seen.count(L"thread " + std::to_wstring(t) + L" line " + std::to_wstring(n))) << t << " " << n;
}

TEST_F(LogFacade, AnUncreatableLogFolderIsPassedOverSilently) {
  PlaceProbe();
  PlaceLibrary();
  ASSERT_TRUE(WriteBytes(dir_ + L"\\Log", "a file where the folder would go"));
  ProgramRun run = Probe(L"threads 2 50");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(ReadBytes(dir_ + L"\\Log"), "a file where the folder would go");
}

TEST_F(LogFacade, AnUnopenableLogFileIsPassedOverSilently) {
  PlaceProbe();
  PlaceLibrary();
  Probe(L"text 4 first");  // finds today's file name
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW((dir_ + L"\\Log\\*.log").c_str(), &fd);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  ::FindClose(find);
  const std::wstring file = dir_ + L"\\Log\\" + fd.cFileName;
  // A folder where today's file should be: the file cannot be opened.
  ASSERT_TRUE(::DeleteFileW(file.c_str()));
  ASSERT_TRUE(::CreateDirectoryW(file.c_str(), nullptr));
  ProgramRun run = Probe(L"threads 2 50");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(DirectoryExists(file));
  EXPECT_TRUE(ReadLogFolder(dir_).empty());
}
