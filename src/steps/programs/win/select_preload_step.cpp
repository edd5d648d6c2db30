// Step "SelectPreLoadProcess": a second INI file, the select file, chooses
// which of its two program lists runs ("WhichProcess": 0 "PreLoadAd",
// 1 "PreLoadType", anything else none).

#include <windows.h>

#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "steps/programs/core/program_list.h"
#include "steps/programs/win/program_launch_steps.h"
#include "steps/programs/win/program_list_run.h"

namespace vorlan::steps {

void RunSelectPreload(StepContext& context) {
  const std::wstring relative = context.Options().ReadString(L"SelectPreLoadProcess", L"IniFilePath");
  if (relative.empty()) return;

  // Beside the executable, never on the mapped drive.
  const std::wstring path = PathJoin(context.ExecutableDirectory(), relative);
  context.SetSelectFilePath(path);
  if (!::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) &&
      ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // Runs nothing, as an empty file would; the line leaves a trace of a mistyped "IniFilePath".
    CLogMgr::GetInstance().Log(16, L"PreLoadOption: CVorlanDlg::SelectPreloadProcess. Select file not found: %s",
                               path);
  }

  const OS::IniFile selectFile(path);
  const std::wstring list = SelectedProgramList(selectFile.ReadInt(L"SelectPreLoadProcess", L"WhichProcess", 0));
  if (list.empty()) return;
  RunProgramList(context, selectFile, list, selectFile.ReadInt(list, L"Num", 0), L"SelectPreloadProcess");
}

}  // namespace vorlan::steps

