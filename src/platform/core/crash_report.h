#pragma once
// What the crash dump writer decides: the dump's name, the log line, the
// reporter's command line and the exit code. Portable; the Win32 side is
// platform/win/crash_dump_writer.h.

#include <string>
#include <string_view>

namespace vorlan::crash {

// Codes logged (and used as exit code) for ends that are not a processor
// exception: the C++ runtime's terminate (an exception nobody caught, a pure
// virtual call), its pure-call and invalid-parameter handlers, and abort.
inline constexpr unsigned long kTerminate = 0xE0000001UL;
inline constexpr unsigned long kPureCall = 0xE0000002UL;
inline constexpr unsigned long kInvalidParameter = 0xC0000417UL;  // STATUS_INVALID_CRUNTIME_PARAMETER
inline constexpr unsigned long kAbort = 0x40000015UL;             // STATUS_FATAL_APP_EXIT

struct LocalTime {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "YYYYMMDD-HHMMSS-<process id>.dmp", beside the day's "YYYYMMDD.log".
std::wstring DumpFileName(const LocalTime& time, unsigned long processId);

// Where the fault lies: "<module>+0x<offset>", or "0x<address>" outside
// every module (module empty).
std::wstring FaultPlace(std::wstring_view module, unsigned long long offsetOrAddress);

// The level-32 line:
// "CrashDumpOption: OS::CrashDumpWriter::OnCrash. Exception 0xC0000005 at
//  ComponentMgr.dll+0x1A2B, Dump C:\g\Log\20261209-153012-4242.dmp, Success, 0"
// ("Failed, <system error code>" when the dump could not be written).
std::wstring CrashLine(unsigned long code, std::wstring_view place, std::wstring_view dumpPath, bool written,
                       unsigned long error);

// "\"<reporter>\" \"<dump>\"".
std::wstring ReporterCommandLine(std::wstring_view reporter, std::wstring_view dumpPath);

// The process's exit code after a crash: the code itself, never 0.
unsigned long ExitCodeFor(unsigned long code);

}  // namespace vorlan::crash
