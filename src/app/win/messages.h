#pragma once
// Window messages of the launcher's dialogs.
#include <windows.h>

// PrintInfo: wParam = const wchar_t* text, lParam = 0; sent synchronously.
constexpr UINT WM_VORLAN_PRINTINFO = WM_USER + 0x200;  // 0x0600
// Main dialog: create and show the progress window (wParam: nothing).
constexpr UINT WM_VORLAN_SHOW_PROGRESS = WM_APP + 1;
// Main dialog: scroll the result list to its last line.
constexpr UINT WM_VORLAN_SCROLL_RESULTS = WM_APP + 2;
// Main dialog: take it off the taskbar and hide it.
constexpr UINT WM_VORLAN_HIDE_FROM_TASKBAR = WM_APP + 3;
// Progress window: stop creeping and fill the bar (the game starts).
constexpr UINT WM_VORLAN_PROGRESS_FINISH = WM_APP + 4;
