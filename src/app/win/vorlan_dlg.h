#pragma once
// The main dialog. It owns the state of one preparation run, starts the
// preparation thread from its initialisation (ThreadProc, in
// thread_proc.cpp), drives the step pipeline (pipeline.cpp) and offers the
// step handlers what they need (StepContext). The handlers themselves live
// in their subsystems and are found through the step registry
// (steps/pipeline/win/step_registry.h).

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "app/core/step_done_table.h"
#include "app/win/ui/dialog.h"
#include "platform/win/ini_file.h"
#include "platform/win/scoped_resource.h"
#include "platform/win/thread.h"
#include "step_context/win/step_context.h"
#include "steps/pipeline/core/step_table.h"
#include "steps/pipeline/win/step_outcome.h"

class CNBMMainDlg;
class CShareMemoryMgr;

class CVorlanDlg : public ui::Dialog, public OS::Thread, public StepContext {
 public:
  // Steps marked IsPreLoad are started through `workers`.
  explicit CVorlanDlg(vorlan::WorkerStarter& workers = OS::SystemWorkerStarter::Instance());
  ~CVorlanDlg() override;

  // Runs the dialog modally; when no window can be created the preparation
  // runs all the same (it ends the process itself).
  void Run();

  // --- StepContext ---
  const OS::IniFile& Options() const override { return options_; }
  std::wstring ProgramDirectory() const override;
  void SetProgramDirectory(const std::wstring& directory) override;
  std::wstring ExecutableDirectory() const override { return exeDirectory_; }
  unsigned GameId() const override { return gameId_; }
  void PrintInfo(const std::wstring& text) override;
  HWND DialogWindow() const override { return Hwnd(); }
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
  void SetSelectFilePath(const std::wstring& path) override;
  bool WriteTimeToReg() override;

  // --- settings and marks ---
  bool IsInitVorlan();
  bool IsOsSupported();
  void WriteIsInitComponent(int value);

  // --- the pipeline ---
  void ProcessManage(const wchar_t* stepName, int index);
  void ProcessManagesMgr();
  void ChildProcessManage(const std::wstring& section);
  void ExecuteWhiteList(bool runMain, bool runMap);
  void CreateVorlanThread(const wchar_t* stepName, int index, int length = 0);
  unsigned GetGameIdFromCmdLine();

  // --- the game menu's channel ---
  bool IsStartRunNow();
  void NotiyCompomentComplete();
  void ClearRunNow();
  void ShowMain();

  // Ends the process (exit code 0), once the game menu program is started
  // or known not to be (at most 5 s).
  [[noreturn]] void EndProcess();

  // --- path macros (steps/pipeline/win/translate_path.h) ---
  void TranslatePath(const std::wstring& token, std::wstring& folder, bool use64BitProgramFiles);

 protected:
  BOOL OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void ThreadProc() override;

 private:
  struct VorlanThreadParam;
  static DWORD VorlanThreadProc(VorlanThreadParam* param);

  // Dialog initialisation without a window as with one: the option file is
  // found and the preparation thread started. False: no preparation.
  bool StartPreparation();
  void ReadOptionsFromCopy();
  void WaitForPreparation();
  void MessageBoxOnDialog(const wchar_t* text, const wchar_t* caption);
  // What the pipeline does around a step's handler (pipeline.cpp).
  void BeforeStep(const vorlan::StepInfo& step);
  void AfterStep(const vorlan::StepInfo& step, const vorlan::steps::StepOutcome& outcome, unsigned long startTick);
  void SetProgress(int value);
  void AdvanceProgress();
  void CreateProgressWindow();

  vorlan::WorkerStarter& workers_;
  OS::IniFile options_;
  std::wstring exeDirectory_;
  mutable std::mutex programDirectoryLock_;
  std::wstring programDirectory_;
  std::wstring selectFilePath_;

  int showFlag_ = 0;
  bool menuLinked_ = false;
  bool launcherInitialised_ = false;
  bool startRunNow_ = false;
  bool noNewStyleStart_ = false;
  unsigned gameId_ = 0;
  std::atomic<int> componentResult_{0};
  std::atomic<int> progress_{10};
  // For the run's summary line: steps dispatched, entries reported failed.
  std::atomic<int> stepsRun_{0};
  std::atomic<int> entriesFailed_{0};
  vorlan::StepDoneTable stepDone_;

  std::unique_ptr<CShareMemoryMgr> shareMemory_;
  std::unique_ptr<CNBMMainDlg> progressDlg_;
  std::atomic<HWND> progressHwnd_{nullptr};
  OS::ScopedHandle menuThread_;
  bool preparationStarted_ = false;
  bool menuTakesOver_ = false;  // "Main" was handed to the game menu
};
