#include "vtest/launcher_run.h"

#include <set>

#include "vtest/time_limit.h"

namespace vtest {
namespace {

std::wstring WindowText(HWND h) {
  wchar_t buf[4096] = {};
  ::GetWindowTextW(h, buf, 4096);
  return buf;
}

struct FindState {
  DWORD processId;
  std::vector<HWND>* out;
};

BOOL CALLBACK CollectBoxes(HWND h, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if (pid != state->processId || !::IsWindowVisible(h)) return TRUE;
  wchar_t cls[64] = {};
  ::GetClassNameW(h, cls, 64);
  // A message box is a dialog whose text sits in the static control 0xFFFF.
  if (std::wstring(cls) == L"#32770" && ::GetDlgItem(h, 0xFFFF) != nullptr) state->out->push_back(h);
  return TRUE;
}

}  // namespace

std::vector<HWND> FindMessageBoxes(DWORD processId) {
  std::vector<HWND> boxes;
  FindState state{processId, &boxes};
  ::EnumWindows(&CollectBoxes, reinterpret_cast<LPARAM>(&state));
  return boxes;
}

MessageBoxSeen ReadMessageBox(HWND box) {
  MessageBoxSeen seen;
  seen.caption = WindowText(box);
  if (HWND text = ::GetDlgItem(box, 0xFFFF)) seen.text = WindowText(text);
  return seen;
}

void PressOk(HWND box) {
  HWND ok = ::GetDlgItem(box, IDOK);
  if (!ok) ok = ::GetDlgItem(box, IDCANCEL);
  if (ok) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  } else {
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
}

namespace {
// The caller's environment without the named variables, as a block.
std::wstring EnvironmentWithout(const std::vector<std::wstring>& names) {
  std::wstring block;
  wchar_t* env = ::GetEnvironmentStringsW();
  for (const wchar_t* p = env; p && *p; p += wcslen(p) + 1) {
    std::wstring entry = p;
    bool drop = false;
    for (const auto& name : names)
      if (_wcsnicmp(entry.c_str(), (name + L"=").c_str(), name.size() + 1) == 0) drop = true;
    if (!drop) block += entry + L'\0';
  }
  if (env) ::FreeEnvironmentStringsW(env);
  block += L'\0';
  return block;
}
}  // namespace

ProgramRun RunProgram(const std::wstring& commandLine, const RunOptions& options) {
  ProgramRun run;
  std::wstring environment;
  if (!options.unsetEnvironment.empty()) environment = EnvironmentWithout(options.unsetEnvironment);
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  std::wstring cmd = commandLine;
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.empty() ? nullptr : environment.data(),
                        options.currentDir.empty() ? nullptr : options.currentDir.c_str(), &si, &pi)) {
    return run;
  }
  run.started = true;
  run.processId = pi.dwProcessId;
  ::CloseHandle(pi.hThread);

  std::set<HWND> answered;
  const ULONGLONG deadline = DeadlineAfter(options.timeoutMs);
  for (;;) {
    DWORD wait = ::WaitForSingleObject(pi.hProcess, 20);
    if (wait == WAIT_OBJECT_0) break;
    if (options.whileRunning) options.whileRunning(pi.hProcess);
    if (options.answerMessageBoxes) {
      for (HWND box : FindMessageBoxes(pi.dwProcessId)) {
        if (answered.count(box)) continue;
        answered.insert(box);
        run.messageBoxes.push_back(ReadMessageBox(box));
        PressOk(box);
      }
    }
    if (::GetTickCount64() > deadline) {
      run.timedOut = true;
      ::TerminateProcess(pi.hProcess, 0xDEAD);
      ::WaitForSingleObject(pi.hProcess, 5000);
      break;
    }
  }
  ::GetExitCodeProcess(pi.hProcess, &run.exitCode);
  ::CloseHandle(pi.hProcess);
  return run;
}

}  // namespace vtest
