#pragma once
// Option-file pieces for end-to-end runs of the launcher.

#include <initializer_list>
#include <string>
#include <string_view>

#include "vtest/log_lines.h"

// One sub-process "Run" whose steps run inline, one after another.
inline std::wstring Pipeline(std::initializer_list<std::wstring_view> steps) {
  std::wstring text = L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=" + std::to_wstring(steps.size()) + L"\r\n";
  int i = 0;
  for (std::wstring_view step : steps) text += L"Argument_" + std::to_wstring(i++) + L"=" + std::wstring(step) + L"\r\n";
  return text;
}

// The result line a step reports through the dialog.
inline std::wstring Printed(std::wstring_view text) { return L"CVorlanDlg::PrintInfo: " + std::wstring(text); }

// Position of the first line that begins with `prefix`, or -1.
inline int FindLineStarting(const std::vector<vtest::LogLine>& log, std::wstring_view prefix, int from = 0) {
  for (int i = from; i < static_cast<int>(log.size()); ++i)
    if (log[i].text.rfind(prefix, 0) == 0) return i;
  return -1;
}
