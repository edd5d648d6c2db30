#pragma once
// Running the launcher on a game folder whose option file runs one step, and
// picking that step's lines out of its log.

#include <string>
#include <vector>

#include "vtest/game_folder.h"
#include "vtest/log_lines.h"

namespace steptest {

// An option file whose only sub-process runs `step`, then `sections`.
std::wstring OptionFileRunning(const std::wstring& step, const std::wstring& sections);

// Runs the launcher in its own folder as the current one (so that a path
// without a drive lands on C:) and checks that it ran to its end.
vtest::LauncherRun RunLauncher(const vtest::GameFolder& game);

// The lines logged between the step's (last) start and end lines.
std::vector<vtest::LogLine> StepLines(const vtest::LauncherRun& run, const std::wstring& startText,
                                      const std::wstring& endTextPrefix);

std::vector<std::wstring> TextsAtLevel(const std::vector<vtest::LogLine>& lines, int level);

// A drive letter that names no drive in this prefix.
std::wstring MissingDrive();

// Waits up to `ms` for a file to appear.
bool WaitForFile(const std::wstring& path, unsigned ms);

}  // namespace steptest
