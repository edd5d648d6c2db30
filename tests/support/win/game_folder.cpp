#include "vtest/game_folder.h"

#include <windows.h>

#include <algorithm>

#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

namespace vtest {

GameFolder::GameFolder(GameFolderOptions options) : options_(std::move(options)) {
  path_ = TestFolderFor(options_.suffix);
  RemoveTree(path_);
  // A fresh folder was never prepared: no completion mark of an earlier run
  // (HKLM\Software\ZR_Vorlan, value named by the launcher's path).
  for (RegView view : {RegView::Wow32, RegView::Wow64})
    DeleteValue(HKEY_LOCAL_MACHINE, L"Software\\ZR_Vorlan", ExePath(), view);
  MakeDirectories(path_);
  ::CopyFileW(LauncherExe().c_str(), ExePath().c_str(), FALSE);
  if (options_.withLogLibrary) ::CopyFileW(ZrLogDll().c_str(), File(L"ZR_log.dll").c_str(), FALSE);
  if (!options_.windowsVersion.empty()) {
    WriteString(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + options_.exeName, L"Version",
                options_.windowsVersion);
  }
}

std::wstring GameFolder::File(std::wstring_view relative) const {
  std::wstring rel(relative);
  while (!rel.empty() && rel.front() == L'\\') rel.erase(rel.begin());
  return rel.empty() ? path_ : path_ + L"\\" + rel;
}

void GameFolder::WriteText(std::wstring_view relative, std::wstring_view content) const {
  std::wstring full = File(relative);
  std::size_t slash = full.find_last_of(L'\\');
  MakeDirectories(full.substr(0, slash));
  WriteBytes(full, ToAnsi(content));
}

void GameFolder::MakeDir(std::wstring_view relative) const { MakeDirectories(File(relative)); }

void GameFolder::AddRecorder(std::wstring_view relative, const RecorderConfig& config) const {
  InstallRecorder(File(relative), config);
}

std::vector<RecorderRun> GameFolder::RecorderRuns(std::wstring_view relative) const {
  return ReadRecorderRuns(File(relative) + L".rec");
}

std::vector<RecorderRun> GameFolder::WaitForRecorderRuns(std::wstring_view relative, std::size_t count,
                                                         unsigned long timeoutMs) const {
  return vtest::WaitForRecorderRuns(File(relative) + L".rec", count, timeoutMs);
}

LauncherRun GameFolder::Run(std::wstring_view arguments, RunOptions options) const {
  std::wstring cmd = L"\"" + ExePath() + L"\"";
  if (!arguments.empty()) cmd += L" " + std::wstring(arguments);
  const std::size_t before = Log().size();
  LauncherRun run;
  static_cast<ProgramRun&>(run) = RunProgram(cmd, options);
  run.log = Log();
  run.log.erase(run.log.begin(), run.log.begin() + static_cast<std::ptrdiff_t>(std::min(before, run.log.size())));
  return run;
}

}  // namespace vtest

namespace vtest {
RunningProgram GameFolder::Start(std::wstring_view arguments, const std::wstring& currentDir) const {
  std::wstring cmd = L"\"" + ExePath() + L"\"";
  if (!arguments.empty()) cmd += L" " + std::wstring(arguments);
  RunningProgram program;
  program.Start(cmd, currentDir);
  return program;
}
}  // namespace vtest
