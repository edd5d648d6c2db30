#pragma once
// What the game component library "ComponentMgr.dll" beside the executable
// offers the launcher (docs/game-component.md). The library's own builds
// include this header too.

#include <windows.h>

namespace components {

// The one export, by its plain (undecorated) name.
inline constexpr char kGameComponentExport[] = "RunGameComponent";

// BOOL __stdcall RunGameComponent(HWND dialog, DWORD gameId, LPCWSTR programDirectory)
//   dialog            the launcher's main dialog, or null when it runs without a window;
//                     for message boxes of the component's own, owned by it
//   gameId            the game id of the launcher's command line (0 when it has none)
//   programDirectory  the folder the game's paths are built on, without trailing
//                     backslash: the game folder, or the mapped drive ("Z:")
// Called once per step, on the preparation thread or a step worker; returns
// TRUE when the game may go on being prepared, FALSE when it must be started
// from the game menu instead. The library stays loaded until the process ends.
using RunGameComponentFn = BOOL(__stdcall*)(HWND dialog, DWORD gameId, LPCWSTR programDirectory);

}  // namespace components
