#pragma once
// A game folder made by a test: C:\vorlan-tests\<suite>.<test>, emptied
// first, holding the launcher (and, unless told otherwise, ZR_log.dll) the
// way the cafe's game distribution lays it out. The launcher's completion
// mark of the day, left by an earlier run of the test, is removed.

#include <string>
#include <string_view>
#include <vector>

#include "vtest/launcher_run.h"
#include "vtest/log_lines.h"
#include "vtest/recorder_runs.h"
#include "vtest/running_program.h"

namespace vtest {

struct GameFolderOptions {
  std::wstring suffix;                     // appended to the folder name
  std::wstring exeName = L"Vorlan.exe";    // name of the launcher copy
  bool withLogLibrary = true;              // copy ZR_log.dll beside it
  // Windows version Wine reports to this launcher copy ("winxp", "win7",
  // "win10", ...); set per executable name, so give such copies their own name.
  std::wstring windowsVersion;
};

struct LauncherRun : ProgramRun {
  std::vector<LogLine> log;  // the lines this run wrote
};

class GameFolder {
 public:
  explicit GameFolder(GameFolderOptions options = {});

  const std::wstring& Path() const { return path_; }
  std::wstring File(std::wstring_view relative) const;  // Path() joined with relative
  std::wstring ExePath() const { return File(options_.exeName); }

  // Writes a text file in the thread's ANSI code page (as operators' INI
  // files are); folders on the way are created.
  void WriteText(std::wstring_view relative, std::wstring_view content) const;
  void WriteOptionFile(std::wstring_view content) const { WriteText(L"VorlanCfg.ini", content); }
  void MakeDir(std::wstring_view relative) const;
  void AddRecorder(std::wstring_view relative, const RecorderConfig& config = {}) const;
  std::vector<RecorderRun> RecorderRuns(std::wstring_view relative) const;  // of <relative>.rec
  // Waits until `count` runs of that recorder have ended (see WaitForRecorderRuns).
  std::vector<RecorderRun> WaitForRecorderRuns(std::wstring_view relative, std::size_t count,
                                               unsigned long timeoutMs = 15000) const;

  std::vector<LogLine> Log() const { return ReadLogFolder(path_); }

  // Runs the launcher copy with "<quoted exe> <arguments>".
  LauncherRun Run(std::wstring_view arguments = L"NewVorlan 1001", RunOptions options = {}) const;
  // Starts the launcher copy and returns at once (for launchers that stay open).
  RunningProgram Start(std::wstring_view arguments = L"NewVorlan 1001", const std::wstring& currentDir = L"") const;

 private:
  GameFolderOptions options_;
  std::wstring path_;
};

}  // namespace vtest
