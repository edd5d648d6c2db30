#include "vtest/running_program.h"

#include <utility>

namespace vtest {

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      heldThread_(std::exchange(other.heldThread_, nullptr)),
      processId_(other.processId_) {}

RunningProgram& RunningProgram::operator=(RunningProgram&& other) noexcept {
  if (this != &other) {
    Terminate();
    process_ = std::exchange(other.process_, nullptr);
    heldThread_ = std::exchange(other.heldThread_, nullptr);
    processId_ = other.processId_;
  }
  return *this;
}

bool RunningProgram::Start(const std::wstring& commandLine, const std::wstring& currentDir) {
  return Create(commandLine, currentDir, 0);
}

bool RunningProgram::StartSuspended(const std::wstring& commandLine) {
  return Create(commandLine, L"", CREATE_SUSPENDED);
}

void RunningProgram::Resume() {
  if (!heldThread_) return;
  ::ResumeThread(heldThread_);
  ::CloseHandle(std::exchange(heldThread_, nullptr));
}

bool RunningProgram::Create(const std::wstring& commandLine, const std::wstring& currentDir, DWORD flags) {
  Terminate();
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  std::wstring cmd = commandLine;
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        currentDir.empty() ? nullptr : currentDir.c_str(), &si, &pi))
    return false;
  if (flags & CREATE_SUSPENDED)
    heldThread_ = pi.hThread;
  else
    ::CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  processId_ = pi.dwProcessId;
  return true;
}

bool RunningProgram::IsRunning() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool RunningProgram::Wait(DWORD timeoutMs) { return process_ && ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0; }

DWORD RunningProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) ::GetExitCodeProcess(process_, &code);
  return code;
}

void RunningProgram::Terminate() {
  if (heldThread_) ::CloseHandle(std::exchange(heldThread_, nullptr));
  if (!process_) return;
  if (IsRunning()) {
    ::TerminateProcess(process_, 0xDEAD);
    ::WaitForSingleObject(process_, 5000);
  }
  ::CloseHandle(process_);
  process_ = nullptr;
}

}  // namespace vtest
