#pragma once
// One finding of the checker, and how findings are printed and counted.

#include <span>
#include <string>

namespace vorlan::check {

enum class Severity { Warning, Error };

struct Finding {
  std::wstring file;  // as shown to the operator
  int line = 0;       // 0: the file as a whole
  Severity severity = Severity::Warning;
  std::wstring message;
};

// "file:line: error: message" ("file: error: message" for line 0).
std::wstring FormatFinding(const Finding& finding);

// 0 clean, 1 warnings only, 2 at least one error.
int ExitCodeFor(std::span<const Finding> findings);

// "checked 3 game folders: 2 errors, 1 warning"
std::wstring SummaryLine(int folders, std::span<const Finding> findings);

}  // namespace vorlan::check
