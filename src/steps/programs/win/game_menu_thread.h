#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/core/calendar_date.h"

// Started once by the main dialog's initialisation, beside the preparation:
// starts the cafe's game menu program and loads the reporting library.
DWORD WINAPI RunGameMenuThreadProc(LPVOID unused);

namespace vorlan::steps {

struct GameMenuSetup {
  std::wstring catalogueFile;     // "VorlanComponent.ini" beside the executable
  std::wstring currentDirectory;  // of the process; empty when it could not be read
  CalendarDate today;             // local date
  std::function<void(DWORD milliseconds)> sleep;
};

// What the thread does: starts "Tovik.exe" (hidden, in the current
// directory) every time when [Tovik] "AlwaysRun" of the catalogue is 1,
// otherwise only when today's mark (HKCU\SOFTWARE\tarpen\<date>, value
// "Tovik.exe") is not 1, writing the mark after a successful start; gives
// the menu 5 seconds after a start; then loads "SourceReportDll.dll" from
// the current directory and keeps it.
void RunGameMenu(const GameMenuSetup& setup);

// Waits, at most `limitMs`, until RunGameMenu has started the menu program
// or decided not to. The process must not end in between: a program whose
// start is cut off can be left half-made, neither running nor gone, and the
// day would not be marked. False when the wait ran out.
bool WaitForMenuStartDecided(DWORD limitMs);

}  // namespace vorlan::steps
