#include "vtest/windows.h"

#include <commctrl.h>

#include "vtest/build_paths.h"
#include "vtest/files.h"
#include "vtest/test_paths.h"

namespace vtest {
namespace {
struct Search {
  DWORD processId;
  std::wstring caption;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND h, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if (pid == s->processId && ::IsWindowVisible(h) && (s->caption.empty() || WindowText(h) == s->caption))
    s->found.push_back(h);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& caption) {
  Search s{processId, caption, {}};
  ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::wstring WindowText(HWND window) {
  wchar_t buf[1024] = {};
  ::GetWindowTextW(window, buf, 1024);
  return buf;
}

std::vector<std::wstring> ListBoxLines(HWND listBox) {
  std::vector<std::wstring> lines;
  LRESULT count = ::SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT len = ::SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (len < 0) break;
    std::wstring line(static_cast<std::size_t>(len) + 1, L'\0');
    ::SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(static_cast<std::size_t>(len));
    lines.push_back(line);
  }
  return lines;
}

int ProgressPosition(HWND progressBar) { return static_cast<int>(::SendMessageW(progressBar, PBM_GETPOS, 0, 0)); }

std::pair<int, int> ProgressRange(HWND progressBar) {
  return {static_cast<int>(::SendMessageW(progressBar, PBM_GETRANGE, TRUE, 0)),
          static_cast<int>(::SendMessageW(progressBar, PBM_GETRANGE, FALSE, 0))};
}

bool SaveScreenshot(HWND window, const std::wstring& bmpPath) {
  RECT r;
  if (!::GetWindowRect(window, &r)) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  // What the screen shows there (the window is visible; PrintWindow of
  // another process's window gives a black picture under Wine).
  BOOL ok = ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  if (!ok) ok = ::PrintWindow(window, mem, 0);
  ::GdiFlush();
  const DWORD stride = ((w * 3) + 3) & ~3u;
  const DWORD imageSize = stride * h;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
  fh.bfSize = fh.bfOffBits + imageSize;
  std::string bytes(reinterpret_cast<const char*>(&fh), sizeof(fh));
  bytes.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
  bytes.append(static_cast<const char*>(bits), imageSize);
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return ok && WriteBytes(bmpPath, bytes);
}

std::wstring ArtifactPath(const std::wstring& fileName) {
  std::wstring dir = UnixToWine(std::string(VTEST_BUILD_DIR) + "/test-artifacts");
  MakeDirectories(dir);
  return dir + L"\\" + fileName;
}

}  // namespace vtest
