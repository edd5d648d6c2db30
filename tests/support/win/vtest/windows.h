#pragma once
// Looking at another process's windows the way a person (or a screen
// reader) would.

#include <windows.h>

#include <string>
#include <vector>

namespace vtest {

// Visible top-level windows of the process with this caption (any caption
// when empty).
std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& caption = L"");
std::wstring WindowText(HWND window);
std::vector<std::wstring> ListBoxLines(HWND listBox);
int ProgressPosition(HWND progressBar);
std::pair<int, int> ProgressRange(HWND progressBar);
// Saves what the window shows as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::wstring& bmpPath);
// Where tests keep artifacts: <build>/test-artifacts, as a Wine path.
std::wstring ArtifactPath(const std::wstring& fileName);

}  // namespace vtest
