#pragma once
// Runs a Windows program the way the game menu would and watches it: waits
// with a time limit, and answers message boxes the way a person would (finds
// the box among the program's windows, reads its text, presses its button).

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vtest {

struct MessageBoxSeen {
  std::wstring caption;
  std::wstring text;
};

struct RunOptions {
  DWORD timeoutMs = 60000;
  std::wstring currentDir;          // empty: the test's own
  bool answerMessageBoxes = true;   // press OK on every message box that appears
  std::vector<std::wstring> unsetEnvironment;  // variables the program does not get (e.g. DISPLAY)
  // Called every ~20 ms while the program runs (for tests that act meanwhile).
  std::function<void(HANDLE process)> whileRunning;
};

struct ProgramRun {
  bool started = false;
  bool timedOut = false;   // the program was still running at the limit and was ended
  DWORD exitCode = 0;
  DWORD processId = 0;
  std::vector<MessageBoxSeen> messageBoxes;
};

// Runs `commandLine` (the program's quoted path first) to its end.
ProgramRun RunProgram(const std::wstring& commandLine, const RunOptions& options = {});

// Message boxes among the top-level windows of a process right now.
std::vector<HWND> FindMessageBoxes(DWORD processId);
MessageBoxSeen ReadMessageBox(HWND box);
// Presses the box's OK (or only) button.
void PressOk(HWND box);

}  // namespace vtest
