#include "app/win/vorlan_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/win/privilege.h"
#include "app/win/terminate_other_vorlan.h"
#include "app/win/vorlan_dlg.h"
#include "platform/core/log_mgr.h"
#include "platform/win/com_init.h"
#include "platform/win/crash_dump_writer.h"
#include "platform/win/module_path.h"

namespace {
constexpr wchar_t kInstanceMutex[] = L"{C72090C1-92FC-4e6a-BCED-5E47B9D76905}";

void LogCurrentDirectory() {
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  CLogMgr::GetInstance().Log(64, L"CVorlanApp::InitInstance. Current Dir %s", current);
}
}  // namespace

bool CVorlanApp::InitInstance() {
  // First of all: a crash from here on leaves a dump and ends the process
  // without a dialog that would wait for a click on a customer's PC.
  OS::InstallCrashDumpWriter();
  CLogMgr& log = CLogMgr::GetInstance();

  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);
  controls.dwICC = 0xFF;
  ::InitCommonControlsEx(&controls);

  EnableDebugPrivilege();
  // No system error box for missing disks, and (kept from the crash dump
  // writer) none for a crash.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);

  LogCurrentDirectory();
  const std::wstring programDirectory = OS::GetProgramDirectory();
  const BOOL changed = ::SetCurrentDirectoryW(programDirectory.c_str());
  log.Log(64, L"CVorlanApp::InitInstance. Set Current Dir %s, %s", programDirectory, changed ? L"Success" : L"Failed");
  LogCurrentDirectory();

  TerminateOtherVorlan();

  waitedMutex_.Reset(::OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutex));
  if (waitedMutex_) {
    log.Log(4, L"CVorlanApp::InitInstance. WaitForSingle");
    ::WaitForSingleObject(waitedMutex_.Get(), INFINITE);
  }
  instanceMutex_.Reset(::CreateMutexW(nullptr, TRUE, kInstanceMutex));

  const OS::ScopedComInit com(COINIT_MULTITHREADED);
  {
    CVorlanDlg dialog;
    dialog.Run();
  }
  return false;
}
