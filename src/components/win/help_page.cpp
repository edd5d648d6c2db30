#include "components/win/help_page.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdint>

#include "components/core/catalogue_layout.h"
#include "platform/core/log_mgr.h"

namespace components {

bool OpenHelpPage(const std::wstring& language) {
  const std::wstring page = vorlan::HelpPageName(language);
  // The shell may hand the page over through COM; this thread may not have
  // joined an apartment yet.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const auto result =
      reinterpret_cast<std::intptr_t>(::ShellExecuteW(nullptr, nullptr, page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (SUCCEEDED(com)) ::CoUninitialize();
  if (result > 32) return true;
  CLogMgr::GetInstance().Log(32, L"ComponentOption: CComponent::Setup. ShellExecute %s Failed. nError: %d", page,
                             static_cast<int>(result));
  return false;
}

}  // namespace components
