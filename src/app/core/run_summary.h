#pragma once
// The last line of a run's log: how many steps ran, how many entries the
// steps reported as failed, and how long the run took.

#include <string>
#include <string_view>

namespace vorlan {

// A result line of a step ("<what>, Success" / "<what>, Failed[, <more>]" /
// "<what>, Failed: <reason>" / "<what> Failed, <more>") that reports a
// failed entry: "Failed" after a blank, followed by the end, "," or ":".
bool ReportsFailedEntry(std::wstring_view resultLine);

// "SummaryOption: CVorlanDlg::ThreadProc. Steps run 5, entries failed 1, elapsed 1234 ms"
std::wstring RunSummaryText(int stepsRun, int entriesFailed, unsigned long elapsedMs);

// Level 4 when every entry succeeded, 32 when one failed.
int RunSummaryLevel(int entriesFailed);

}  // namespace vorlan
