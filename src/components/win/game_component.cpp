#include "components/win/game_component.h"

#include <windows.h>

#include "platform/core/log_mgr.h"

// Step "GameComponent": the hand-over to the game component library
// "ComponentMgr.dll". This build has no hand-over to offer, so the step
// cannot succeed; the pipeline then asks the customer to start the game from
// the game menu and ends.
namespace components {

bool RunGameComponentStep(StepContext& context) {
  const std::wstring library = context.ExecutableDirectory() + L"\\ComponentMgr.dll";
  if (::GetFileAttributesW(library.c_str()) == INVALID_FILE_ATTRIBUTES) {
    CLogMgr::GetInstance().Log(32, L"CVorlanDlg::ProcessGameComponent. ComponentMgr.dll not found: %s", library);
  } else {
    CLogMgr::GetInstance().Log(32, L"CVorlanDlg::ProcessGameComponent. This launcher cannot hand over to %s", library);
  }
  return false;
}

}  // namespace components
