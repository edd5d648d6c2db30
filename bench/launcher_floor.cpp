// The floor of the launcher's start-up benchmark (bench/pipeline.sh): what
// any launcher must do under Wine and nothing more. Common controls, COM for
// the thread and one class asked for (the client service's, not registered
// on a bench prefix), a hidden window, the logging library loaded.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "assoc/win/client_service_contract.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);
  controls.dwICC = 0xFF;
  ::InitCommonControlsEx(&controls);

  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IUnknown* object = nullptr;
  if (SUCCEEDED(::CoCreateInstance(kClientServiceClassId, nullptr, kClientServiceClassContext, IID_IUnknown,
                                   reinterpret_cast<void**>(&object))))
    object->Release();

  // A dialog-class window that is never shown.
  HWND window = ::CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
  HMODULE log = ::LoadLibraryW(L"ZR_log.dll");

  if (log) ::FreeLibrary(log);
  if (window) ::DestroyWindow(window);
  if (SUCCEEDED(com)) ::CoUninitialize();
  return 0;
}
