#include "step_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/files.h"

namespace steptest {

std::wstring OptionFileRunning(const std::wstring& step, const std::wstring& sections) {
  return L"[Main]\nIsShow=0\n\n[ProcessMgr]\nArgc=1\n\n[ProcessMgr_0]\nArgc=1\nArgument_0=" + step +
         L"\n\n" + sections;
}

vtest::LauncherRun RunLauncher(const vtest::GameFolder& game) {
  vtest::LauncherRun run = game.Run(L"NewVorlan 1001", {.timeoutMs = 60000, .currentDir = game.Path()});
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.messageBoxes.empty());
  return run;
}

std::vector<vtest::LogLine> StepLines(const vtest::LauncherRun& run, const std::wstring& startText,
                                      const std::wstring& endTextPrefix) {
  std::vector<vtest::LogLine> lines;
  // The last start: a folder run twice keeps the log of the first run too.
  int start = -1;
  for (int at = 0; (at = vtest::FindLine(run.log, startText, 4, at)) >= 0; ++at) start = at;
  EXPECT_GE(start, 0) << "the step did not start\n" << vtest::Dump(run.log);
  if (start < 0) return lines;
  for (std::size_t i = start + 1; i < run.log.size(); ++i) {
    if (run.log[i].text.rfind(endTextPrefix, 0) == 0) return lines;
    lines.push_back(run.log[i]);
  }
  ADD_FAILURE() << "the step did not end\n" << vtest::Dump(run.log);
  return lines;
}

std::vector<std::wstring> TextsAtLevel(const std::vector<vtest::LogLine>& lines, int level) {
  std::vector<std::wstring> texts;
  for (const auto& l : lines)
    if (l.level == level) texts.push_back(l.text);
  return texts;
}

std::wstring MissingDrive() {
  for (wchar_t d = L'Q'; d <= L'Y'; ++d) {
    const wchar_t root[] = {d, L':', L'\\', 0};
    if (::GetDriveTypeW(root) == DRIVE_NO_ROOT_DIR) return std::wstring(1, d) + L":";
  }
  ADD_FAILURE() << "every drive letter from Q to Y is in use";
  return L"Q:";
}

bool WaitForFile(const std::wstring& path, unsigned ms) {
  for (unsigned waited = 0; waited <= ms; waited += 50) {
    if (vtest::FileExists(path)) return true;
    ::Sleep(50);
  }
  return false;
}

}  // namespace steptest
