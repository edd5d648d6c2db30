#include "platform/core/crash_report.h"

namespace vorlan::crash {
namespace {

// Upper-case hexadecimal, at least `digits` digits.
std::wstring Hex(unsigned long long value, std::size_t digits) {
  std::wstring text;
  do {
    text.insert(text.begin(), L"0123456789ABCDEF"[value % 16]);
    value /= 16;
  } while (value != 0);
  if (text.size() < digits) text.insert(0, digits - text.size(), L'0');
  return text;
}

// Decimal, at least `digits` digits.
std::wstring Decimal(unsigned long long value, std::size_t digits) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), L'0');
  return text;
}

}  // namespace

std::wstring DumpFileName(const LocalTime& t, unsigned long processId) {
  return Decimal(t.year, 4) + Decimal(t.month, 2) + Decimal(t.day, 2) + L"-" + Decimal(t.hour, 2) +
         Decimal(t.minute, 2) + Decimal(t.second, 2) + L"-" + std::to_wstring(processId) + L".dmp";
}

std::wstring FaultPlace(std::wstring_view module, unsigned long long offsetOrAddress) {
  if (module.empty()) return L"0x" + Hex(offsetOrAddress, 8);
  return std::wstring(module) + L"+0x" + Hex(offsetOrAddress, 1);
}

std::wstring CrashLine(unsigned long code, std::wstring_view place, std::wstring_view dumpPath, bool written,
                       unsigned long error) {
  return L"CrashDumpOption: OS::CrashDumpWriter::OnCrash. Exception 0x" + Hex(code, 8) + L" at " + std::wstring(place) +
         L", Dump " + std::wstring(dumpPath) + (written ? L", Success, " : L", Failed, ") + std::to_wstring(error);
}

std::wstring ReporterCommandLine(std::wstring_view reporter, std::wstring_view dumpPath) {
  return L"\"" + std::wstring(reporter) + L"\" \"" + std::wstring(dumpPath) + L"\"";
}

unsigned long ExitCodeFor(unsigned long code) { return code != 0 ? code : 1; }

}  // namespace vorlan::crash
