#pragma once
// What a step handler may use of the launcher, and nothing more: the option
// file, the program directory (replaced by the mapped drive once "Map" mapped
// one), the executable's folder, the game id, the result output, a message
// box on the main dialog, the dialog's window and the completion mark. The main dialog provides it;
// tests provide a recording one (tests/support/win/vtest/recording_step_context.h).
// Handlers may run on worker threads at the same time: implementations are
// thread-safe.

#include <windows.h>

#include <string>

#include "platform/win/ini_file.h"

class StepContext {
 public:
  // "VorlanCfg.ini" beside the executable.
  virtual const OS::IniFile& Options() const = 0;
  // Directory that relative program paths are joined to, without trailing
  // backslash: the executable's folder, or the mapped drive ("X:").
  virtual std::wstring ProgramDirectory() const = 0;
  virtual void SetProgramDirectory(const std::wstring& directory) = 0;
  // The executable's own folder (never the mapped drive).
  virtual std::wstring ExecutableDirectory() const = 0;
  // The game id of the command line; 0 when it has none.
  virtual unsigned GameId() const = 0;
  // Logs "CVorlanDlg::PrintInfo: %s" and, when the dialog is shown, appends
  // the text to its result list (synchronously).
  virtual void PrintInfo(const std::wstring& text) = 0;
  // The main dialog's window, for handing to the café's own libraries;
  // null when the launcher runs without a window.
  virtual HWND DialogWindow() const = 0;
  // A message box with an OK button on the main dialog; returns when the
  // customer has closed it.
  virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
  // The select file chosen by "SelectPreLoadProcess", kept by the launcher.
  virtual void SetSelectFilePath(const std::wstring& path) = 0;
  // The completion mark of the full preparation (HKLM\Software\ZR_Vorlan).
  virtual bool WriteTimeToReg() = 0;

 protected:
  ~StepContext() = default;
};
