#include "app/win/vorlan_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/win/privilege.h"
#include "app/win/terminate_other_vorlan.h"
#include "app/win/vorlan_dlg.h"
#include "assoc/win/client_service.h"
#include "platform/core/log_mgr.h"
#include "platform/win/com_init.h"
#include "platform/win/crash_dump_writer.h"
#include "platform/win/module_path.h"
#include "platform/win/thread.h"

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
  // The connection to the client service is made meanwhile, on a thread of
  // its own, while this one goes on to the window.
  CClientService::ConnectAhead(OS::SystemWorkerStarter::Instance());
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

  // Create or open the mutex first, then wait to own it. Opening first and
  // creating after would let two starts in the same instant both find no
  // mutex; the later creator then gets the existing one without owning it,
  // and both preparations would run at once.
  instanceMutex_.Reset(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (instanceMutex_) {
    if (existed) log.Log(4, L"CVorlanApp::InitInstance. WaitForSingle");
    // Owned until the process ends; a mutex left by a process that was ended
    // while it held it is owned all the same (WAIT_ABANDONED).
    ::WaitForSingleObject(instanceMutex_.Get(), INFINITE);
  }

  const OS::ScopedComInit com(COINIT_MULTITHREADED);
  {
    CVorlanDlg dialog;
    dialog.Run();
  }
  return false;
}
