#include "assoc/win/client_service_menu.h"

#include "assoc/win/client_service.h"
#include "platform/win/code_page.h"

bool AskClientServiceForMenu(std::wstring& errorText) {
  CClientService& service = CClientService::GetInstance();
  std::string version;
  if (service.QueryClientVersion(version)) {
    errorText.clear();
    return true;
  }
  if (!service.HasService()) {
    errorText = L"client service unavailable";
  } else if (version.empty()) {
    errorText = L"client service gave no version";
  } else {
    errorText = L"client service version " + OS::FromThreadAnsi(version) + L" is not newer than 8.0";
  }
  return false;
}
