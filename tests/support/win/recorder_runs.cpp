#include "vtest/recorder_runs.h"

#include <windows.h>

#include <sstream>

#include "vtest/files.h"
#include "vtest/test_paths.h"
#include "vtest/time_limit.h"

namespace vtest {

std::vector<RecorderRun> ReadRecorderRuns(const std::wstring& recordFile) {
  std::vector<RecorderRun> runs;
  std::istringstream in(ReadBytes(recordFile));
  std::string line;
  while (std::getline(in, line)) {
    if (line == "@run") {
      runs.emplace_back();
      continue;
    }
    if (line.rfind("@end pid=", 0) == 0) {
      unsigned long pid = std::stoul(line.substr(9));
      std::size_t t = line.find(" time=");
      for (auto& r : runs)
        if (r.processId == pid && r.endTime.empty() && t != std::string::npos) r.endTime = line.substr(t + 6);
      continue;
    }
    if (runs.empty()) continue;
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq);
    std::string value = line.substr(eq + 1);
    RecorderRun& r = runs.back();
    if (key == "pid") r.processId = std::stoul(value);
    else if (key == "exe") r.exe = FromUtf8(value);
    else if (key == "cmdline") r.commandLine = FromUtf8(value);
    else if (key == "cwd") r.currentDir = FromUtf8(value);
    else if (key == "show") r.showWindow = value == "default" ? -1 : std::stoi(value);
    else if (key == "start") r.startTime = value;
    else if (key == "probe") r.probe = value == "1" ? 1 : 0;
    else if (key.rfind("arg", 0) == 0 && key != "argc") r.args.push_back(FromUtf8(value));
  }
  return runs;
}

std::vector<RecorderRun> WaitForRecorderRuns(const std::wstring& recordFile, std::size_t count,
                                             unsigned long timeoutMs) {
  const ULONGLONG deadline = DeadlineAfter(timeoutMs);
  for (;;) {
    std::vector<RecorderRun> runs = ReadRecorderRuns(recordFile);
    std::size_t ended = 0;
    for (const auto& run : runs)
      if (!run.endTime.empty()) ++ended;
    if (ended >= count || ::GetTickCount64() > deadline) return runs;
    ::Sleep(50);
  }
}

void InstallRecorder(const std::wstring& exePath, const RecorderConfig& config) {
  std::size_t slash = exePath.find_last_of(L'\\');
  if (slash != std::wstring::npos) MakeDirectories(exePath.substr(0, slash));
  ::CopyFileW(RecorderExe().c_str(), exePath.c_str(), FALSE);
  std::wstring cfg = L"[recorder]\r\n";
  cfg += L"ExitCode=" + std::to_wstring(config.exitCode) + L"\r\n";
  cfg += L"SleepMs=" + std::to_wstring(config.sleepMs) + L"\r\n";
  if (!config.createRegKey.empty()) cfg += L"CreateRegKey=" + config.createRegKey + L"\r\n";
  if (!config.regView.empty()) cfg += L"RegView=" + config.regView + L"\r\n";
  if (!config.createFile.empty()) cfg += L"CreateFile=" + config.createFile + L"\r\n";
  if (!config.probeRegKey.empty()) cfg += L"ProbeRegKey=" + config.probeRegKey + L"\r\n";
  if (!config.output.empty()) cfg += L"Output=" + config.output + L"\r\n";
  WriteBytes(exePath + L".cfg", ToAnsi(cfg));
}

}  // namespace vtest
