#pragma once
// Starting a program the way the steps do: CreateProcess with a mutable
// copy of the command line, a startup record (size set, show-window flag set,
// the show state given), both handles closed afterwards (after an unbounded
// wait when asked). A caller that decides only after the start whether to
// wait keeps the process handle instead.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win/scoped_resource.h"

namespace OS {

struct ProcessStart {
  std::wstring commandLine;
  std::wstring workingDirectory;  // empty: the caller's
  DWORD creationFlags = 0;
  bool inheritHandles = false;
  WORD showWindow = SW_SHOW;      // 5: show normally in the current size
  bool wait = false;              // wait for the program to end, without limit
  DWORD priorityClass = 0;        // 0: the default
  // Called once the program has started, before the wait (to report the
  // start while the program runs).
  std::function<void()> onStarted;
  bool keepProcess = false;       // hand the process handle to the caller (ProcessResult::process)
};

struct ProcessResult {
  bool started = false;
  DWORD error = 0;          // GetLastError of a failed start
  DWORD exitCode = 0;       // when waited for
  ScopedHandle process;     // with keepProcess: the started process
};

ProcessResult StartProcess(const ProcessStart& start);

}  // namespace OS
