// A library named like the logging library but without its exports.
#include <windows.h>

extern "C" __declspec(dllexport) int __stdcall SomethingElse(int x) { return x; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
