#include "app/win/vorlan_dlg.h"
#include "components/win/component.h"

// Step "Component": installs the runtime components the cafe wants. The
// result (1 when the catalogue lists any component) decides whether "Main"
// writes the completion mark.
int CVorlanDlg::ProcessComponent() { return CComponent(this).Setup(); }
