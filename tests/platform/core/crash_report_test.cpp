#include "platform/core/crash_report.h"

#include <gtest/gtest.h>

using namespace vorlan::crash;

TEST(CrashReport, DumpNamesSortWithTheDaysLog) {
  struct Case {
    LocalTime time;
    unsigned long processId;
    const wchar_t* name;
  };
  const Case cases[] = {
      {{2026, 12, 9, 15, 30, 12}, 4242, L"20261209-153012-4242.dmp"},
      {{2027, 1, 2, 3, 4, 5}, 7, L"20270102-030405-7.dmp"},
      {{2026, 10, 31, 23, 59, 59}, 4294967295UL, L"20261031-235959-4294967295.dmp"},
  };
  for (const Case& c : cases) EXPECT_EQ(DumpFileName(c.time, c.processId), c.name);
}

TEST(CrashReport, TheLineNamesCodePlaceDumpAndResult) {
  struct Case {
    unsigned long code;
    const wchar_t* module;
    unsigned long long offset;
    bool written;
    unsigned long error;
    const wchar_t* line;
  };
  const wchar_t* const head = L"CrashDumpOption: OS::CrashDumpWriter::OnCrash. ";
  const Case cases[] = {
      {0xC0000005UL, L"ComponentMgr.dll", 0x1A2B, true, 0,
       L"Exception 0xC0000005 at ComponentMgr.dll+0x1A2B, Dump C:\\g\\Log\\x.dmp, Success, 0"},
      {kTerminate, L"Vorlan.exe", 0, true, 0, L"Exception 0xE0000001 at Vorlan.exe+0x0, Dump C:\\g\\Log\\x.dmp, Success, 0"},
      {0x80000003UL, L"", 0x401000, false, 126,
       L"Exception 0x80000003 at 0x00401000, Dump C:\\g\\Log\\x.dmp, Failed, 126"},
      {kAbort, L"", 0x7FFE12345678ULL, false, 3,
       L"Exception 0x40000015 at 0x7FFE12345678, Dump C:\\g\\Log\\x.dmp, Failed, 3"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CrashLine(c.code, FaultPlace(c.module, c.offset), L"C:\\g\\Log\\x.dmp", c.written, c.error),
              std::wstring(head) + c.line);
}

TEST(CrashReport, TheReporterGetsTheDumpQuotedAndTheExitCodeIsNeverZero) {
  EXPECT_EQ(ReporterCommandLine(L"C:\\My Game\\ErrorReporter.exe", L"C:\\My Game\\Log\\a b.dmp"),
            L"\"C:\\My Game\\ErrorReporter.exe\" \"C:\\My Game\\Log\\a b.dmp\"");
  const std::pair<unsigned long, unsigned long> codes[] = {
      {0xC0000005UL, 0xC0000005UL}, {kInvalidParameter, 0xC0000417UL}, {kPureCall, 0xE0000002UL}, {0, 1}};
  for (const auto& [code, exit] : codes) EXPECT_EQ(ExitCodeFor(code), exit);
}
