#include "app/win/vorlan_dlg.h"

// Steps this build does not carry out yet. Each is dispatched, logged and
// counted in the progress like every step, and changes nothing.
void CVorlanDlg::ProcessMap() {}
void CVorlanDlg::ProcessImportReg() {}
void CVorlanDlg::ProcessKeys() {}
void CVorlanDlg::ProcessDisplay() {}
void CVorlanDlg::ProcessCompatible() {}
void CVorlanDlg::ProcessGamePath() {}
void CVorlanDlg::ProcessRegDll() {}
void CVorlanDlg::ProcessRegService() {}
