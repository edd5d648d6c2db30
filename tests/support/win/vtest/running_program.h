#pragma once
// A program started by a test that keeps running while the test acts on it
// (launchers kept open by IsClose, programs holding the single-instance
// mutex). Ended when the object goes away, so no test leaves it behind.

#include <windows.h>

#include <string>
#include "vtest/time_limit.h"

namespace vtest {

class RunningProgram {
 public:
  RunningProgram() = default;
  ~RunningProgram() { Terminate(); }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  RunningProgram(RunningProgram&& other) noexcept;
  RunningProgram& operator=(RunningProgram&& other) noexcept;

  bool Start(const std::wstring& commandLine, const std::wstring& currentDir = L"");
  // Creates the process with its first thread held; Resume lets it run.
  bool StartSuspended(const std::wstring& commandLine);
  void Resume();
  bool IsRunning() const;
  // Waits for the end; false at the time limit.
  bool Wait(DWORD timeoutMs);
  DWORD ExitCode() const;
  DWORD ProcessId() const { return processId_; }
  HANDLE Process() const { return process_; }
  void Terminate();

 private:
  bool Create(const std::wstring& commandLine, const std::wstring& currentDir, DWORD flags);

  HANDLE process_ = nullptr;
  HANDLE heldThread_ = nullptr;  // the first thread of a suspended start, until resumed
  DWORD processId_ = 0;
};

// Waits until `condition` holds, checking every 20 ms; false at the limit.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
  const ULONGLONG deadline = DeadlineAfter(timeoutMs);
  while (!condition()) {
    if (::GetTickCount64() > deadline) return false;
    ::Sleep(20);
  }
  return true;
}

}  // namespace vtest
