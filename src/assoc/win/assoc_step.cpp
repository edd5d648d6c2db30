#include "app/win/vorlan_dlg.h"

// Steps "Assoc" and "AssocGamePathSet": associated games on virtual disks.
// Not built yet: no associated game is prepared, the dialog stays as it is.
bool CVorlanDlg::ProcessAssoc() { return false; }
void CVorlanDlg::ProcessAssocGamePathSet() {}
