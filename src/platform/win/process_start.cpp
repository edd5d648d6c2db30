#include "platform/win/process_start.h"

#include <utility>
#include <vector>

#include "platform/win/scoped_resource.h"

namespace OS {

ProcessResult StartProcess(const ProcessStart& start) {
  ProcessResult result;
  std::vector<wchar_t> commandLine(start.commandLine.begin(), start.commandLine.end());
  commandLine.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = start.showWindow;
  PROCESS_INFORMATION info = {};
  const BOOL ok = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, start.inheritHandles ? TRUE : FALSE,
                                   start.creationFlags | start.priorityClass, nullptr,
                                   start.workingDirectory.empty() ? nullptr : start.workingDirectory.c_str(),
                                   &startup, &info);
  if (!ok) {
    result.error = ::GetLastError();
    return result;
  }
  result.started = true;
  ScopedHandle process(info.hProcess);
  ScopedHandle thread(info.hThread);
  if (start.onStarted) start.onStarted();
  if (start.wait) {
    ::WaitForSingleObject(process.Get(), INFINITE);
    ::GetExitCodeProcess(process.Get(), &result.exitCode);
  }
  if (start.keepProcess) result.process = std::move(process);
  return result;
}

}  // namespace OS
