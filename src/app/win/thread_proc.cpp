// The preparation thread: decides which way the run goes and drives it.

#include <windows.h>

#include "app/win/client_service_query.h"
#include "app/win/messages.h"
#include "app/win/share_memory_mgr.h"
#include "app/win/vorlan_dlg.h"
#include "app/core/run_summary.h"
#include "platform/core/log_mgr.h"
#include "steps/system/win/display_step.h"
#include "steps/pipeline/win/step_registry.h"

void CVorlanDlg::ThreadProc() {
  CLogMgr& log = CLogMgr::GetInstance();
  const DWORD runStartTick = ::GetTickCount();

  // 1. Is the game menu reachable?
  std::wstring serviceError;
  QueryClientServiceForMenu(serviceError);
  shareMemory_ = std::make_unique<CShareMemoryMgr>();
  // The block is opened whatever the service said: the menu's run-now request
  // and its notifications go through it even when the menu is not linked.
  const bool blockOpen = shareMemory_->Open();
  if (serviceError.empty() && blockOpen) menuLinked_ = true;

  // 2. Which game.
  gameId_ = GetGameIdFromCmdLine();
  log.Log(4, L"CVorlanDlg::ThreadProc. Thread Start Time . Version : %s, GameID: %u, TickCount: %d",
          menuLinked_ ? L"1" : L"0", gameId_, ::GetTickCount());

  // The display mode an earlier game set goes back to the PC's own, unless
  // this game has a "Display" step of its own.
  vorlan::steps::RestoreDisplayAtRunStart(*this);

  // 3. Did the menu ask to start the game at once?
  startRunNow_ = IsStartRunNow();

  // 4. Does the game run on this system?
  if (!IsOsSupported()) {
    MessageBoxOnDialog(L"抱歉，该游戏不支持当前系统", L"提示");
    log.Log(4, L"CVorlanDlg::OnInitDialog. 此游戏不支持当前系统环境");
    if (!startRunNow_) NotiyCompomentComplete();
    EndProcess();
  }

  // 5.
  launcherInitialised_ = IsInitVorlan();
  ShowMain();

  // 6. The way of this run.
  if (!launcherInitialised_) {
    ProcessManagesMgr();
  } else if (!menuLinked_) {
    log.Log(4, L"CVorlanDlg::ThreadProc. Executer WhiteList Now!\n");
    ExecuteWhiteList(true, true);
  } else {
    const bool initComp = options_.ReadInt(L"Main", L"IsInitComponent", 0) == 1;
    bool menuStartsGame = false;
    if (!startRunNow_) {
      if (gameId_ != 0) {
        if (!initComp) {
          log.Log(4, L"CVorlanDlg::ThreadProc.开始执行白名单(除去MainExe)");
          ExecuteWhiteList(false, false);
          WriteIsInitComponent(1);
        }
        NotiyCompomentComplete();
        if (componentResult_ == 0) WriteTimeToReg();
      }
      menuStartsGame = !noNewStyleStart_;
    }
    if (!menuStartsGame) {
      if (!initComp) {
        log.Log(4, L"CVorlanDlg::ThreadProc. 开始执行白名单(除去Main)");
        ExecuteWhiteList(false, true);
        WriteIsInitComponent(1);
      } else if (options_.ReadString(L"Control", L"Exclude").find(L"Map") != std::wstring::npos) {
        log.Log(4, L"CVorlanDlg::ThreadProc. 开始执行磁盘映射");
        vorlan::steps::RunStepHandler(vorlan::StepId::Map, *this);
        log.Log(4, L"CVorlanDlg::ThreadProc. 已执行磁盘映射");
      }
      ProcessManage(L"Main", -1);
      WriteIsInitComponent(0);
    }
  }

  // 7.
  if (Hwnd()) ::PostMessageW(Hwnd(), WM_VORLAN_SCROLL_RESULTS, 0, 0);

  // The run's summary, the last line of a run that was not ended early.
  log.LogText(vorlan::RunSummaryLevel(entriesFailed_),
              vorlan::RunSummaryText(stepsRun_, entriesFailed_, ::GetTickCount() - runStartTick).c_str());

  // 8.
  if (options_.ReadInt(L"Main", L"IsClose", 0) != 0) return;
  log.Log(4, L"CVorlanDlg::ThreadProc. Thread End Time .  %d", ::GetTickCount());
  EndProcess();
}
