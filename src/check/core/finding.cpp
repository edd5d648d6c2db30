#include "check/core/finding.h"

namespace vorlan::check {

std::wstring FormatFinding(const Finding& finding) {
  std::wstring text = finding.file;
  if (finding.line > 0) text += L":" + std::to_wstring(finding.line);
  text += finding.severity == Severity::Error ? L": error: " : L": warning: ";
  text += finding.message;
  return text;
}

int ExitCodeFor(std::span<const Finding> findings) {
  int code = 0;
  for (const Finding& f : findings) code = f.severity == Severity::Error ? 2 : (code == 0 ? 1 : code);
  return code;
}

std::wstring SummaryLine(int folders, std::span<const Finding> findings) {
  int errors = 0;
  int warnings = 0;
  for (const Finding& f : findings) (f.severity == Severity::Error ? errors : warnings) += 1;
  auto plural = [](int n, const wchar_t* word) {
    return std::to_wstring(n) + L" " + word + (n == 1 ? L"" : L"s");
  };
  return L"checked " + plural(folders, L"game folder") + L": " + plural(errors, L"error") + L", " +
         plural(warnings, L"warning");
}

}  // namespace vorlan::check
