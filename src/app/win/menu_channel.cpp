// The main dialog's side of the game menu's channel.

#include "app/win/share_memory_mgr.h"
#include "app/win/vorlan_dlg.h"

bool CVorlanDlg::IsStartRunNow() { return shareMemory_ && shareMemory_->IsStartRunNow(gameId_); }

void CVorlanDlg::NotiyCompomentComplete() {
  if (shareMemory_) shareMemory_->NotiyCompomentComplete(gameId_);
}

void CVorlanDlg::ClearRunNow() {
  if (shareMemory_) shareMemory_->ClearRunNow(gameId_);
}
