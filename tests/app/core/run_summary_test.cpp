#include <gtest/gtest.h>

#include "app/core/run_summary.h"

namespace vorlan {
namespace {

TEST(RunSummary, ResultLinesThatReportAFailedEntry) {
  const struct {
    const wchar_t* line;
    bool failed;
  } cases[] = {
      {L"PreLoad D:\\g\\a.exe, Failed", true},
      {L"PreLoad D:\\g\\a.exe, Success", false},
      {L"运行自解压 x.msi, Failed, MSIEXEC.EXE /i \"x.msi\"", true},
      {L"Copy File D:\\g\\Failed --> C:\\x, Success", false},
      {L"Copy File D:\\g\\a, Failedx --> C:\\x, Success", false},
      {L"Map Z: -> C:\\g, Failed: the letter is a disk of this PC", true},
      {L"Failed", false},
      // The associated-game packages: "Failed" without a comma before it.
      {L"Package 301 D:\\vdisk\\pkg Failed, 1 of 2 registry files and 0 of 3 system files failed", true},
      {L"Package 301 Failed, unknown to the client service", true},
      {L"Package 301 Failed, D:\\vdisk\\pkg did not appear within 30 s", true},
      {L"Package 301 D:\\vdisk\\pkg Success, 1 registry files, 2 system files copied, 0 kept", false},
      {L"Package 301 D:\\Failedpkg Success, 1 registry files, 2 system files copied, 0 kept", false},
      {L"RunGameOption: CVorlanDlg::ProcessRunGame. Start Game...", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ReportsFailedEntry(c.line), c.failed) << c.line;
}

TEST(RunSummary, TextAndLevel) {
  EXPECT_EQ(RunSummaryText(5, 1, 1234), L"SummaryOption: CVorlanDlg::ThreadProc. Steps run 5, entries failed 1, elapsed 1234 ms");
  EXPECT_EQ(RunSummaryLevel(0), 4);
  EXPECT_EQ(RunSummaryLevel(2), 32);
}

}  // namespace
}  // namespace vorlan
