#pragma once
// Stand-ins for what the Windows shell opens, installed in the test prefix.
//
// Both are global to the prefix: installing is idempotent, gives every test
// the same result and is safe while other tests use them. Each test finds its
// own records by a token of its own in the address or argument.
//
// - The address scheme "vorlantest:" and the file type ".vorlantest" open
//   with a recorder copy: "<handler>" "%1". ShellExecute of such an address or
//   file starts it (records: ShellHandlerRuns()).
// - "iexplore.exe" of the system folder is a recorder copy, so a program
//   that falls back to Internet Explorer starts it instead of Wine's browser
//   (records: InternetExplorerRuns()). Wine is told to prefer that copy to
//   its own built-in browser (DllOverrides "iexplore.exe" = native).

#include <string>
#include <string_view>
#include <vector>

#include "vtest/recorder_runs.h"

namespace vtest {

void InstallShellStandIns();

std::vector<RecorderRun> ShellHandlerRuns();
std::vector<RecorderRun> InternetExplorerRuns();

// A recorder copy at a fixed place that several tests share (for instance a
// system program), writing its records to `recordFile`. Idempotent.
void InstallSharedRecorder(const std::wstring& exePath, const std::wstring& recordFile);

// A token that no other test and no earlier run of this one uses
// ("<Suite>.<Case>-<process>-<tick>"), to find a test's records among those
// of shared stand-ins.
std::wstring UniqueToken();

// The runs whose command line holds `token`.
std::vector<RecorderRun> RunsMentioning(const std::vector<RecorderRun>& runs, std::wstring_view token);

// Wait until `count` runs mentioning `token` have ended (or the time is up)
// and return the runs mentioning it. The shell starts a handler without
// waiting for it, so its record may come after the program that asked.
std::vector<RecorderRun> WaitForShellHandlerRuns(std::wstring_view token, std::size_t count,
                                                 unsigned long timeoutMs = 15000);
std::vector<RecorderRun> WaitForInternetExplorerRuns(std::wstring_view token, std::size_t count,
                                                     unsigned long timeoutMs = 15000);

}  // namespace vtest
