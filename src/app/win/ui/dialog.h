#pragma once
// A small dialog layer on plain Win32: a dialog object bound to a dialog
// resource, run modally (DoModal) or modelessly (Create). Derived classes
// handle WM_INITDIALOG in OnInitDialog and other messages in OnMessage.

#include <windows.h>

#include <atomic>

namespace ui {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog until EndDialog; -1 when the window cannot be created
  // (no display, missing resource).
  INT_PTR DoModal(int templateId, HWND parent = nullptr);
  // Creates the dialog modelessly on the calling thread; false on failure.
  bool Create(int templateId, HWND parent = nullptr);
  void Destroy();

  // The window while it exists; any thread may ask.
  HWND Hwnd() const { return hwnd_.load(); }
  HWND Item(int id) const {
    const HWND window = hwnd_.load();
    return window ? ::GetDlgItem(window, id) : nullptr;
  }
  void End(INT_PTR result);

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  // Set `handled` to true to stop default processing; the return value is the
  // dialog procedure's result.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // Set and cleared on the dialog's thread, read by the preparation's too.
  std::atomic<HWND> hwnd_{nullptr};
  bool modal_ = false;
};

HINSTANCE ModuleInstance();

}  // namespace ui
