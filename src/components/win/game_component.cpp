#include "components/win/game_component.h"

#include <windows.h>

#include "components/win/game_component_contract.h"
#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "platform/win/scoped_resource.h"

namespace components {
namespace {

// One outcome: the same text in the log and in the result list.
bool Report(StepContext& context, bool success, const std::wstring& text) {
  CLogMgr::GetInstance().Log(success ? 4 : 32, L"GameComponentOption: CVorlanDlg::ProcessGameComponent. %s", text);
  context.PrintInfo(text);
  return success;
}

}  // namespace

bool RunGameComponentStep(StepContext& context) {
  const std::wstring path = context.ExecutableDirectory() + L"\\ComponentMgr.dll";
  // Its own dependencies are looked for beside it, not beside the launcher.
  OS::ScopedLibrary library(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library) {
    const DWORD error = ::GetLastError();
    return Report(context, false, vorlan::fmt::Format(L"Load %s, Failed, %d", path, error));
  }
  const auto run = reinterpret_cast<RunGameComponentFn>(::GetProcAddress(library.Get(), kGameComponentExport));
  if (!run) {
    const DWORD error = ::GetLastError();
    return Report(context, false, vorlan::fmt::Format(L"Find RunGameComponent in %s, Failed, %d", path, error));
  }
  const unsigned gameId = context.GameId();
  const std::wstring programDirectory = context.ProgramDirectory();
  const BOOL handedOver = run(context.DialogWindow(), gameId, programDirectory.c_str());
  // The component may have left threads or windows behind that run its code.
  library.Take();
  return Report(context, handedOver != FALSE,
                vorlan::fmt::Format(L"RunGameComponent %u %s, %s", gameId, programDirectory,
                                    handedOver ? L"Success" : L"Failed"));
}

}  // namespace components
