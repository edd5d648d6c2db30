#include "app/win/vorlan_dlg.h"

#include <commctrl.h>

#include "app/win/messages.h"
#include "app/win/progress_dlg.h"
#include "app/win/share_memory_mgr.h"
#include "app/core/run_summary.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_hash.h"
#include "platform/win/module_path.h"
#include "resource.h"
#include "steps/programs/win/game_menu_thread.h"
#include "steps/pipeline/win/translate_path.h"

namespace {
constexpr int kProgressRange = 150;
}

CVorlanDlg::CVorlanDlg(vorlan::WorkerStarter& workers) : workers_(workers) {}

CVorlanDlg::~CVorlanDlg() = default;

void CVorlanDlg::Run() {
  INT_PTR result = DoModal(IDD_VORLAN_DIALOG);
  if (result != -1 || preparationStarted_) {
    // The dialog may close before the preparation is done (the game menu
    // takes over after "Main", or a person closes it): let the preparation
    // finish rather than leave the PC half-prepared. It ends the process
    // itself unless [Main] IsClose is set.
    WaitForPreparation();
    return;
  }
  // No window (no display, no desktop): prepare all the same.
  CLogMgr::GetInstance().Log(64, L"CVorlanDlg::Run. The dialog window cannot be created (ErrorCode = %u); preparing without it",
                             ::GetLastError());
  if (StartPreparation()) WaitForPreparation();
}

void CVorlanDlg::WaitForPreparation() {
  HANDLE thread = Handle();
  if (!thread) return;
  // Keep answering messages sent to this thread meanwhile, so that nothing
  // the preparation sends can hang on it.
  while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

bool CVorlanDlg::StartPreparation() {
  preparationStarted_ = true;
  exeDirectory_ = OS::GetProgramDirectory();
  SetProgramDirectory(exeDirectory_);
  const std::wstring optionFile = exeDirectory_ + L"\\VorlanCfg.ini";
  if (::GetFileAttributesW(optionFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
    CLogMgr::GetInstance().Log(32, L"CVorlanDlg::OnInitDialog. Option file not found, nothing is prepared: %s", optionFile);
    return false;
  }
  ::SetFileAttributesW(optionFile.c_str(), FILE_ATTRIBUTE_NORMAL);  // the launcher writes marks into it
  options_ = OS::IniFile(optionFile);
  ReadOptionsFromCopy();
  showFlag_ = options_.ReadInt(L"Main", L"IsShow", 0);

  menuThread_.Reset(::CreateThread(nullptr, 0, &RunGameMenuThreadProc, nullptr, 0, nullptr));
  if (!Start()) {
    CLogMgr::GetInstance().Log(64, L"CVorlanDlg::OnInitDialog. The preparation thread cannot be started (ErrorCode = %u); preparing on this thread",
                               ::GetLastError());
    ThreadProc();
  }
  return true;
}

// The run reads the option file as it was when the run started: the game
// distribution may rewrite it meanwhile (an update arriving during a long
// pre-load wait), and a run must not take half its steps from the old file
// and half from the new. The copy lies in the temporary folder, one per
// launcher copy, replaced at each start.
void CVorlanDlg::ReadOptionsFromCopy() {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring copy = std::wstring(temp, n > MAX_PATH ? 0 : n) + L"VorlanCfg-" +
                            vorlan::PathHashHex(options_.Path()) + L".ini";
  if (n == 0 || n > MAX_PATH || !options_.ReadFromCopy(copy)) {
    CLogMgr::GetInstance().Log(32, L"CVorlanDlg::OnInitDialog. No copy of the option file can be made at %s (ErrorCode = %u): the run reads %s as it changes",
                               copy, ::GetLastError(), options_.Path());
    return;
  }
  CLogMgr::GetInstance().Log(64, L"CVorlanDlg::OnInitDialog. The run reads %s as it is now, from %s", options_.Path(), copy);
}

BOOL CVorlanDlg::OnInitDialog() {
  ::SendMessageW(Item(IDC_MAIN_PROGRESS), PBM_SETRANGE32, 0, kProgressRange);
  if (!StartPreparation()) {
    End(IDCANCEL);
    return TRUE;
  }
  if (showFlag_) ::ShowWindow(Hwnd(), SW_SHOW);
  return TRUE;
}

INT_PTR CVorlanDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      // A modal dialog is shown by its message loop whatever its template
      // says: keep it hidden unless [Main] IsShow asks for it.
      if (!showFlag_) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
      handled = false;
      return FALSE;
    case WM_VORLAN_PRINTINFO:
      if (wParam) ::SendMessageW(Item(IDC_RESULT_LIST), LB_ADDSTRING, 0, static_cast<LPARAM>(wParam));
      return TRUE;
    case WM_VORLAN_SHOW_PROGRESS:
      CreateProgressWindow();
      return TRUE;
    case WM_VORLAN_SCROLL_RESULTS: {
      HWND list = Item(IDC_RESULT_LIST);
      LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
      if (count > 0) ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
      return TRUE;
    }
    case WM_VORLAN_HIDE_FROM_TASKBAR: {
      LONG_PTR ex = ::GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
      ::SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, (ex & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
      WINDOWPLACEMENT placement = {};
      placement.length = sizeof(placement);
      ::GetWindowPlacement(Hwnd(), &placement);
      placement.showCmd = SW_HIDE;
      ::SetWindowPlacement(Hwnd(), &placement);
      return TRUE;
    }
    default:
      handled = false;
      return FALSE;
  }
}

std::wstring CVorlanDlg::ProgramDirectory() const {
  std::lock_guard<std::mutex> lock(programDirectoryLock_);
  return programDirectory_;
}

void CVorlanDlg::SetProgramDirectory(const std::wstring& directory) {
  std::lock_guard<std::mutex> lock(programDirectoryLock_);
  programDirectory_ = directory.substr(0, MAX_PATH - 1);
}

void CVorlanDlg::SetSelectFilePath(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(programDirectoryLock_);
  selectFilePath_ = path;
}

void CVorlanDlg::PrintInfo(const std::wstring& text) {
  CLogMgr::GetInstance().Log(4, L"CVorlanDlg::PrintInfo: %s", text);
  if (vorlan::ReportsFailedEntry(text)) ++entriesFailed_;
  if (showFlag_ && Hwnd()) ::SendMessageW(Hwnd(), WM_VORLAN_PRINTINFO, reinterpret_cast<WPARAM>(text.c_str()), 0);
}

void CVorlanDlg::MessageBoxOnDialog(const wchar_t* text, const wchar_t* caption) {
  ::MessageBoxW(Hwnd(), text, caption, MB_OK);
}

void CVorlanDlg::ShowMessage(const std::wstring& text, const std::wstring& caption) {
  MessageBoxOnDialog(text.c_str(), caption.c_str());
}

void CVorlanDlg::TranslatePath(const std::wstring& token, std::wstring& folder, bool use64BitProgramFiles) {
  ::TranslatePath(token, folder, use64BitProgramFiles);
}

void CVorlanDlg::SetProgress(int value) {
  if (showFlag_ && Hwnd()) ::SendMessageW(Item(IDC_MAIN_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void CVorlanDlg::AdvanceProgress() { SetProgress(progress_.fetch_add(10)); }

void CVorlanDlg::CreateProgressWindow() {
  if (progressDlg_) return;
  progressDlg_ = std::make_unique<CNBMMainDlg>();
  if (progressDlg_->Create(IDD_PROGRESS_DIALOG, nullptr)) {
    ::ShowWindow(progressDlg_->Hwnd(), SW_SHOW);
    progressHwnd_ = progressDlg_->Hwnd();
  } else {
    CLogMgr::GetInstance().Log(64, L"CVorlanDlg::ShowMain. The progress window cannot be created (ErrorCode = %u)",
                               ::GetLastError());
    progressDlg_.reset();
  }
}

void CVorlanDlg::EndProcess() {
  constexpr DWORD kMenuStartLimitMs = 5000;
  if (menuThread_ && !vorlan::steps::WaitForMenuStartDecided(kMenuStartLimitMs)) {
    CLogMgr::GetInstance().Log(32, L"CVorlanDlg::EndProcess. The game menu program was still being started after %u ms; the process ends all the same",
                               kMenuStartLimitMs);
  }
  ::ExitProcess(0);
}

void CVorlanDlg::ShowMain() {
  const int mode = options_.ReadInt(L"Main", L"IsShowMain", 0);
  const bool show = (mode == 1 && !menuLinked_) || (mode == 2 && !menuLinked_ && !launcherInitialised_);
  if (!show) return;
  if (Hwnd()) ::SendMessageW(Hwnd(), WM_VORLAN_SHOW_PROGRESS, 0, 0);
  if (mode == 2) ::Sleep(200);
}
