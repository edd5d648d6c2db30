#include "components/win/help_page.h"

#include <windows.h>

#include <cstdint>

#include "components/core/catalogue_layout.h"
#include "platform/core/log_mgr.h"
#include "platform/win/com_init.h"
#include "platform/win/system_functions.h"

namespace components {

bool OpenHelpPage(const std::wstring& language) {
  const std::wstring page = vorlan::HelpPageName(language);
  // The shell may hand the page over through COM; this thread may not have
  // joined an apartment yet.
  std::intptr_t result = 0;
  {
    const OS::ScopedComInit com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    result = reinterpret_cast<std::intptr_t>(
        OS::late::ShellExecuteW(nullptr, nullptr, page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  }
  if (result > 32) return true;
  CLogMgr::GetInstance().Log(32, L"ComponentOption: CComponent::Setup. ShellExecute %s Failed. nError: %d", page,
                             static_cast<int>(result));
  return false;
}

}  // namespace components
