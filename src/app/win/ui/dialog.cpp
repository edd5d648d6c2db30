#include "app/win/ui/dialog.h"

namespace ui {

HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }

Dialog::~Dialog() {
  if (!modal_) Destroy();
}

INT_PTR Dialog::DoModal(int templateId, HWND parent) {
  modal_ = true;
  INT_PTR result = ::DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), parent, &Dialog::DialogProc,
                                     reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return result;
}

bool Dialog::Create(int templateId, HWND parent) {
  modal_ = false;
  HWND h = ::CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), parent, &Dialog::DialogProc,
                                reinterpret_cast<LPARAM>(this));
  return h != nullptr;
}

void Dialog::Destroy() {
  if (modal_) return;
  if (const HWND h = hwnd_.exchange(nullptr)) ::DestroyWindow(h);
}

void Dialog::End(INT_PTR result) {
  const HWND window = hwnd_.load();
  if (!window) return;
  if (modal_) ::EndDialog(window, result);
  else Destroy();
}

INT_PTR Dialog::OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return FALSE;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
    return self->OnInitDialog();
  }
  self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    HWND expected = hwnd;
    self->hwnd_.compare_exchange_strong(expected, nullptr);
    return FALSE;
  }
  bool handled = false;
  INT_PTR result = self->OnMessage(message, wParam, lParam, handled);
  if (handled) return result;
  if (message == WM_CLOSE || (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK))) {
    self->End(LOWORD(wParam) == IDOK ? IDOK : IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace ui
