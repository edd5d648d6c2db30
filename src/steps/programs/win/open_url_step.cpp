// Step "OpenUrl": opens the addresses Url_0, Url_1, ... in the default
// browser. An address that no handler opens goes to Internet Explorer, and
// the step ends there; so does an empty address.

#include <windows.h>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "steps/programs/win/program_launch_steps.h"
#include "steps/programs/win/shell_open.h"

namespace vorlan::steps {

void RunOpenUrl(StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  const unsigned count = static_cast<unsigned>(options.ReadInt(L"OpenUrl", L"Num", 0));
  for (unsigned i = 0; i < count; ++i) {
    const int index = static_cast<int>(i);
    const std::wstring url = options.ReadString(L"OpenUrl", fmt::Format(L"%s_%d", L"Url", index));
    if (url.empty()) {
      log.Log(8, L"CVorlanDlg::ProcessOpenUrl. URL_%d is NULL!", index);
      return;
    }
    if (ShellOpen(L"open", url, nullptr, nullptr, SW_SHOWNORMAL) > 32) continue;
    const int fallback = ShellOpen(L"open", L"iexplore.exe", url.c_str(), nullptr, SW_SHOWNORMAL);
    log.Log(4, L"CVorlanDlg::ProcessOpenUrl.Num为: %d iexplore: %d", index, fallback);
    return;
  }
  log.Log(4, L"CVorlanDlg::ProcessOpenUrl. Default Browser.");
}

}  // namespace vorlan::steps

