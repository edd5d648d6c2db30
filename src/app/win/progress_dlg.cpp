#include "app/win/progress_dlg.h"

#include <commctrl.h>

#include "app/win/messages.h"
#include "resource.h"

namespace {
constexpr UINT kCreepIntervalMs = 200;
constexpr int kCreepLimit = 95;  // the last stretch belongs to the game start
}  // namespace

BOOL CNBMMainDlg::OnInitDialog() {
  HWND bar = Item(IDC_PROGRESS_BAR);
  ::SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  ::SendMessageW(bar, PBM_SETPOS, 0, 0);
  ::SetTimer(Hwnd(), kCreepTimer, kCreepIntervalMs, nullptr);
  return TRUE;
}

INT_PTR CNBMMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) {
  handled = true;
  if (message == WM_TIMER && wParam == kCreepTimer) {
    if (position_ < kCreepLimit) ::SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETPOS, ++position_, 0);
    return TRUE;
  }
  if (message == WM_VORLAN_PROGRESS_FINISH) {
    ::KillTimer(Hwnd(), kCreepTimer);
    position_ = 100;
    ::SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETPOS, 100, 0);
    return TRUE;
  }
  if (message == WM_CLOSE) return TRUE;  // closed with the launcher only
  handled = false;
  return FALSE;
}
