#include "vtest/shell_stand_ins.h"

#include <windows.h>

#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"
#include "vtest/time_limit.h"

namespace vtest {
namespace {

const wchar_t kFolder[] = L"C:\\vorlan-tests\\shell-stand-ins";

std::wstring HandlerExe() { return std::wstring(kFolder) + L"\\handler.exe"; }
std::wstring HandlerRecords() { return std::wstring(kFolder) + L"\\handler.rec"; }
std::wstring InternetExplorerRecords() { return std::wstring(kFolder) + L"\\iexplore.rec"; }

std::wstring SystemDirectory() {
  wchar_t dir[MAX_PATH] = {};
  ::GetSystemDirectoryW(dir, MAX_PATH);
  return dir;
}

// Serialises installs of tests running side by side in the same prefix.
class InstallLock {
 public:
  InstallLock() : mutex_(::CreateMutexW(nullptr, FALSE, L"VorlanTestSharedStandIns")) {
    if (mutex_) ::WaitForSingleObject(mutex_, 30000);
  }
  ~InstallLock() {
    if (mutex_) {
      ::ReleaseMutex(mutex_);
      ::CloseHandle(mutex_);
    }
  }

 private:
  HANDLE mutex_;
};

void WriteIfDifferent(const std::wstring& path, const std::string& bytes) {
  if (ReadBytes(path) != bytes) WriteBytes(path, bytes);
}

void InstallSharedRecorderLocked(const std::wstring& exePath, const std::wstring& recordFile) {
  MakeDirectories(exePath.substr(0, exePath.find_last_of(L'\\')));
  MakeDirectories(recordFile.substr(0, recordFile.find_last_of(L'\\')));
  // A copy that is running cannot be replaced, but then it is the same program.
  const std::string recorder = ReadBytes(RecorderExe());
  if (ReadBytes(exePath) != recorder) ::CopyFileW(RecorderExe().c_str(), exePath.c_str(), FALSE);
  WriteIfDifferent(exePath + L".cfg", ToAnsi(L"[recorder]\r\nExitCode=0\r\nSleepMs=0\r\nOutput=" + recordFile + L"\r\n"));
}

void RegisterClass(const std::wstring& key, const std::wstring& description, bool urlProtocol) {
  for (RegView view : {RegView::Wow32, RegView::Wow64}) {
    WriteString(HKEY_CLASSES_ROOT, key, L"", description, view);
    if (urlProtocol) WriteString(HKEY_CLASSES_ROOT, key, L"URL Protocol", L"", view);
    WriteString(HKEY_CLASSES_ROOT, key + L"\\shell\\open\\command", L"", L"\"" + HandlerExe() + L"\" \"%1\"", view);
  }
}

}  // namespace

void InstallSharedRecorder(const std::wstring& exePath, const std::wstring& recordFile) {
  InstallLock lock;
  InstallSharedRecorderLocked(exePath, recordFile);
}

void InstallShellStandIns() {
  InstallLock lock;
  MakeDirectories(kFolder);
  InstallSharedRecorderLocked(HandlerExe(), HandlerRecords());
  RegisterClass(L"vorlantest", L"URL:Vorlan test address", true);
  for (RegView view : {RegView::Wow32, RegView::Wow64})
    WriteString(HKEY_CLASSES_ROOT, L".vorlantest", L"", L"VorlanTest.Document", view);
  RegisterClass(L"VorlanTest.Document", L"Vorlan test document", false);
  // Seen by 32-bit programs (the launcher) in their system folder.
  InstallSharedRecorderLocked(SystemDirectory() + L"\\iexplore.exe", InternetExplorerRecords());
  WriteString(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", L"iexplore.exe", L"native");
}

std::vector<RecorderRun> ShellHandlerRuns() { return ReadRecorderRuns(HandlerRecords()); }
std::vector<RecorderRun> InternetExplorerRuns() { return ReadRecorderRuns(InternetExplorerRecords()); }

std::wstring UniqueToken() {
  const std::wstring folder = TestFolderFor();
  return folder.substr(folder.rfind(L'\\') + 1) + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
         std::to_wstring(::GetTickCount64());
}

std::vector<RecorderRun> RunsMentioning(const std::vector<RecorderRun>& runs, std::wstring_view token) {
  std::vector<RecorderRun> out;
  for (const auto& run : runs)
    if (run.commandLine.find(token) != std::wstring::npos) out.push_back(run);
  return out;
}

namespace {

std::vector<RecorderRun> WaitForRunsMentioning(const std::wstring& recordFile, std::wstring_view token,
                                               std::size_t count, unsigned long timeoutMs) {
  const ULONGLONG deadline = DeadlineAfter(timeoutMs);
  for (;;) {
    std::vector<RecorderRun> runs = RunsMentioning(ReadRecorderRuns(recordFile), token);
    std::size_t ended = 0;
    for (const auto& run : runs)
      if (!run.endTime.empty()) ++ended;
    if (ended >= count || ::GetTickCount64() > deadline) return runs;
    ::Sleep(50);
  }
}

}  // namespace

std::vector<RecorderRun> WaitForShellHandlerRuns(std::wstring_view token, std::size_t count, unsigned long timeoutMs) {
  return WaitForRunsMentioning(HandlerRecords(), token, count, timeoutMs);
}

std::vector<RecorderRun> WaitForInternetExplorerRuns(std::wstring_view token, std::size_t count,
                                                     unsigned long timeoutMs) {
  return WaitForRunsMentioning(InternetExplorerRecords(), token, count, timeoutMs);
}

}  // namespace vtest
