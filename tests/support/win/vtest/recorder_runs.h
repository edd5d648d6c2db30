#pragma once
// Reading back what the recorder stand-in was given.

#include <string>
#include <vector>

namespace vtest {

struct RecorderRun {
  unsigned long processId = 0;
  std::wstring exe;
  std::wstring commandLine;
  std::wstring currentDir;
  int showWindow = -1;    // show state asked for by the starter; -1: none
  std::vector<std::wstring> args;
  int probe = -1;         // ProbeRegKey: 1 the key existed at the start, 0 not; -1 not asked
  std::string startTime;  // local time, as in the log files
  std::string endTime;    // empty while still running (or killed)
};

std::vector<RecorderRun> ReadRecorderRuns(const std::wstring& recordFile);

// Waits until `count` runs of the record file have ended (or the time is
// up) and returns all its runs. For programs that were started without
// waiting for them.
std::vector<RecorderRun> WaitForRecorderRuns(const std::wstring& recordFile, std::size_t count,
                                             unsigned long timeoutMs = 15000);

// Configuration of one recorder copy (written beside it as <exe>.cfg).
struct RecorderConfig {
  int exitCode = 0;
  int sleepMs = 0;
  std::wstring createRegKey;  // HKLM\..., HKCU\..., HKCR\...
  std::wstring regView;       // "64", "32" or empty
  std::wstring createFile;    // relative paths: from the recorder's working folder
  std::wstring probeRegKey;   // write down whether this key exists at the start (view: regView)
  std::wstring output;        // record file; default <exe>.rec
};

// Copies the recorder to `exePath` and writes its configuration.
void InstallRecorder(const std::wstring& exePath, const RecorderConfig& config = {});

}  // namespace vtest
