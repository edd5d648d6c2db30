#pragma once
// Helpers shared by the launcher's end-to-end tests.

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/log_lines.h"
#include "vtest/registry.h"

namespace scenario {

inline constexpr wchar_t kMarkKey[] = L"Software\\ZR_Vorlan";

// Today's UTC date as the launcher's mark ("%d%d%d").
inline DWORD TodayMark() {
  SYSTEMTIME t;
  ::GetSystemTime(&t);
  return static_cast<DWORD>(std::stoul(std::to_wstring(t.wYear) + std::to_wstring(t.wMonth) + std::to_wstring(t.wDay)));
}

// The full preparation ran today for this launcher copy.
inline void MarkInitialisedToday(const vtest::GameFolder& game) {
  vtest::WriteDword(HKEY_LOCAL_MACHINE, kMarkKey, game.ExePath(), TodayMark());
}

// No mark for this launcher copy (the key itself stays or is made).
inline void ClearLaunchMark(const vtest::GameFolder& game) {
  vtest::WriteDword(HKEY_LOCAL_MACHINE, kMarkKey, L"placeholder", 0);
  vtest::DeleteValue(HKEY_LOCAL_MACHINE, kMarkKey, game.ExePath());
}

inline std::vector<std::wstring> TextsStartingWith(const std::vector<vtest::LogLine>& log, const std::wstring& prefix) {
  return vtest::Texts(vtest::LinesStartingWith(log, prefix));
}

// Every text occurs, in this order (other lines may lie between).
inline ::testing::AssertionResult InOrder(const std::vector<vtest::LogLine>& log,
                                          std::initializer_list<std::wstring> texts) {
  int from = 0;
  for (const auto& text : texts) {
    int at = vtest::FindLine(log, text, -1, from);
    if (at < 0)
      return ::testing::AssertionFailure() << "missing (in order): " << vtest::ToUtf8(text) << "\nlog:\n" << vtest::Dump(log);
    from = at + 1;
  }
  return ::testing::AssertionSuccess();
}

inline bool Has(const std::vector<vtest::LogLine>& log, const std::wstring& text, int level = -1) {
  return vtest::FindLine(log, text, level) >= 0;
}

}  // namespace scenario
