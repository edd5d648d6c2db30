#include "app/core/run_summary.h"

namespace vorlan {

bool ReportsFailedEntry(std::wstring_view resultLine) {
  // ", Failed" of most steps, and " Failed," of the associated-game packages
  // ("Package 301 D:\pkg Failed, 1 of 2 registry files ...").
  constexpr std::wstring_view kFailed = L" Failed";
  for (std::size_t at = resultLine.find(kFailed); at != std::wstring_view::npos;
       at = resultLine.find(kFailed, at + 1)) {
    const std::size_t after = at + kFailed.size();
    if (after == resultLine.size() || resultLine[after] == L',' || resultLine[after] == L':') return true;
  }
  return false;
}

std::wstring RunSummaryText(int stepsRun, int entriesFailed, unsigned long elapsedMs) {
  return L"SummaryOption: CVorlanDlg::ThreadProc. Steps run " + std::to_wstring(stepsRun) + L", entries failed " +
         std::to_wstring(entriesFailed) + L", elapsed " + std::to_wstring(elapsedMs) + L" ms";
}

int RunSummaryLevel(int entriesFailed) { return entriesFailed > 0 ? 32 : 4; }

}  // namespace vorlan
