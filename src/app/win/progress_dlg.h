#pragma once
// The separate progress window shown while a game is prepared. Its bar
// creeps forward on a timer (id 1) until the game starts; then it is filled.

#include "app/win/ui/dialog.h"

class CNBMMainDlg : public ui::Dialog {
 public:
  static constexpr UINT_PTR kCreepTimer = 1;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  int position_ = 0;
};
