// The floor for the launcher's start-up benchmark: a Win32 program that
// does nothing.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
