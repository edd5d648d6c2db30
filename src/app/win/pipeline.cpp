// The step pipeline: one step by name, one sub-process section, all
// sub-processes of [ProcessMgr], and the white list.

#include <windows.h>

#include <memory>

#include "steps/pipeline/core/white_list.h"
#include "app/win/messages.h"
#include "app/win/vorlan_dlg.h"
#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "platform/win/scoped_resource.h"
#include "steps/pipeline/core/step_table.h"
#include "steps/pipeline/win/step_registry.h"

using vorlan::StepId;

namespace {
// Sub-processes of [ProcessMgr] one run goes through at most.
constexpr int kMaxSubProcesses = 64;
}  // namespace

struct CVorlanDlg::VorlanThreadParam {
  CVorlanDlg* dialog = nullptr;
  wchar_t name[MAX_PATH] = {};
  int index = -1;
};

void CVorlanDlg::ProcessManage(const wchar_t* stepName, int index) {
  if (!stepName) return;
  const DWORD startTick = ::GetTickCount();
  if (const vorlan::StepInfo* step = vorlan::FindStep(stepName)) {
    CLogMgr::GetInstance().LogText(4, std::wstring(step->startText).c_str());
    ++stepsRun_;
    BeforeStep(*step);
    const vorlan::steps::StepOutcome outcome = vorlan::steps::RunStepHandler(step->id, *this);
    AfterStep(*step, outcome, startTick);
  }
  if (index >= 0) stepDone_.MarkDone(index);
}

void CVorlanDlg::BeforeStep(const vorlan::StepInfo& step) {
  // The game is about to start: the progress window ends full.
  if (step.id == StepId::Main)
    if (HWND progress = progressHwnd_.load()) ::SendMessageW(progress, WM_VORLAN_PROGRESS_FINISH, 0, 0);
}

// Everything the pipeline does with what a step left, in the order the
// customer and the log see it.
void CVorlanDlg::AfterStep(const vorlan::StepInfo& step, const vorlan::steps::StepOutcome& outcome,
                           unsigned long startTick) {
  CLogMgr& log = CLogMgr::GetInstance();
  if (outcome.componentResult) componentResult_ = *outcome.componentResult;
  if (!outcome.handedOver) {
    MessageBoxOnDialog(L"请使用Quorix游戏菜单启动游戏！", L"提示");
    log.Log(4, L"CVorlanDlg::ProcessManage. Failed GameComponent");
    EndProcess();
  }
  if (step.advancesProgress) AdvanceProgress();
  if (outcome.waitForWorker) {
    if (Hwnd()) ::SendMessageW(Hwnd(), WM_VORLAN_HIDE_FROM_TASKBAR, 0, 0);
    outcome.waitForWorker();
  }
  if (step.id == StepId::GameComponent) {
    log.LogText(4, std::wstring(step.endText).c_str());
  } else {
    const DWORD elapsed = ::GetTickCount() - startTick;
    log.Log<DWORD>(4, vorlan::fmt::RuntimeFormat{step.endText}, elapsed);
  }
  if (step.id == StepId::Main) {
    if (componentResult_ == 0) WriteTimeToReg();
    ClearRunNow();
  }
}

void CVorlanDlg::ChildProcessManage(const std::wstring& section) {
  CLogMgr& log = CLogMgr::GetInstance();
  int argc = options_.ReadInt(section, L"Argc", 0);
  log.Log(4, L"CVorlanDlg::ChildProcessManage: 流程:%s, 流程步骤数:%d", section, argc);
  if (argc > vorlan::StepDoneTable::kCapacity) {
    log.Log(32, L"CVorlanDlg::ChildProcessManage: %s. Argc %d is more than the %d steps a sub-process can hold; only the first %d run",
            section, argc, vorlan::StepDoneTable::kCapacity, vorlan::StepDoneTable::kCapacity);
    argc = vorlan::StepDoneTable::kCapacity;
  }
  for (int i = 0; i < argc; ++i) {
    stepDone_.Clear(i);
    const std::wstring step = options_.ReadString(section, vorlan::fmt::Format(L"%s_%d", L"Argument", i));
    log.Log(4, L"CVorlanDlg::ChildProcessManage: 流程步骤:%s", step);

    if (step == L"Main" && menuLinked_ && !startRunNow_) {
      // The game menu starts the game itself: tell it that preparation is done.
      if (componentResult_ == 0) WriteTimeToReg();
      WriteIsInitComponent(1);
      if (gameId_ != 0) {
        NotiyCompomentComplete();
        if (Hwnd()) ::PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
        menuTakesOver_ = true;  // no further step, in this sub-process or a later one
        return;
      }
    }
    if (step == L"Map" && menuLinked_ && !startRunNow_) {
      // The game menu maps the disks itself.
      log.Log(4, L"CVorlanDlg::ChildProcessManage: %s. Continue!", step);
      stepDone_.MarkDone(i);
      continue;
    }
    if (options_.ReadInt(section, vorlan::fmt::Format(L"%s_%d", L"IsPreLoad", i), 0) == 1)
      CreateVorlanThread(step.c_str(), i, static_cast<int>(step.size()));
    else
      ProcessManage(step.c_str(), i);
  }
  stepDone_.WaitAll(argc);
}

void CVorlanDlg::ProcessManagesMgr() {
  CLogMgr& log = CLogMgr::GetInstance();
  int count = options_.ReadInt(L"ProcessMgr", L"Argc", 0);
  log.Log(4, L"CVorlanDlg::ProcessManagesMgr. 子流程数量: %d", count);
  if (count > kMaxSubProcesses) {
    // A mistyped count would otherwise run (and log) billions of empty sub-processes.
    log.Log(32, L"CVorlanDlg::ProcessManagesMgr. Argc %d is more than the %d sub-processes a run can hold; only the first %d run",
            count, kMaxSubProcesses, kMaxSubProcesses);
    count = kMaxSubProcesses;
  }
  for (int i = 0; i < count && !menuTakesOver_; ++i) {
    const std::wstring name = vorlan::fmt::Format(L"%s_%d", L"ProcessMgr", i);
    log.Log(4, L"CVorlanDlg::ProcessManagesMgr. 开始执行子流程[%d]: %s", i, name);
    ChildProcessManage(name);
    log.Log(4, L"CVorlanDlg::ProcessManagesMgr. 结束执行子流程[%d]: %s \n", i, name);
  }
}

void CVorlanDlg::ExecuteWhiteList(bool runMain, bool runMap) {
  for (const std::wstring& name : vorlan::WhiteListSteps(options_.ReadString(L"Control", L"Exclude"), runMain, runMap))
    ProcessManage(name.c_str(), -1);
}

void CVorlanDlg::CreateVorlanThread(const wchar_t* stepName, int index, int /*length*/) {
  auto param = std::make_shared<VorlanThreadParam>();
  param->dialog = this;
  param->index = index;
  if (stepName) ::lstrcpynW(param->name, stepName, MAX_PATH);  // longer names are cut to 259 characters
  const std::wstring name = param->name;
  CLogMgr& log = CLogMgr::GetInstance();
  // The worker owns the record; it is freed with the work when the step ends.
  const vorlan::WorkerPlace place = vorlan::StartOrRunHere(
      workers_, [param] { VorlanThreadProc(param.get()); },
      [&] {
        const DWORD error = ::GetLastError();
        log.Log(64, L"CVorlanDlg::CretateVorlanThread Failed");
        // Run here instead, so that the step is done and the section's wait ends.
        log.Log(32, L"CVorlanDlg::CreateVorlanThread. No thread for %s, ErrorCode %u: it runs on the preparation thread",
                name, error);
      });
  if (place == vorlan::WorkerPlace::NewThread) log.Log(4, L"CVorlanDlg::CreateVorlanThread.CreateThread for %s", name);
}

DWORD CVorlanDlg::VorlanThreadProc(VorlanThreadParam* param) {
  if (!param) {
    CLogMgr::GetInstance().Log(32, L"CVorlanDlg::VorlanThreadProc，lpParameter is NULL.");
    return 0;
  }
  CLogMgr::GetInstance().Log(4, L"CVorlanDlg::VorlanThreadProc. 开始执行: %s", param->name);
  param->dialog->ProcessManage(param->name, param->index);
  return 0;
}
