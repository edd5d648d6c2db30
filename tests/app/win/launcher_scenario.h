#pragma once
// Helpers shared by the launcher's end-to-end tests.

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
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

// Where the launcher keeps its marks: in the 64-bit view when the key exists
// there (made by a 64-bit tool, or by the Map step's records, which live in
// that view), else in the program's own view. A 32-bit launcher on 64-bit
// Windows then reads and writes another key than a test reading its own view.
inline vtest::RegView MarkView() {
  return vtest::KeyExists(HKEY_LOCAL_MACHINE, kMarkKey, vtest::RegView::Wow64) ? vtest::RegView::Wow64
                                                                                : vtest::RegView::Native;
}

inline std::optional<DWORD> ReadMark(const std::wstring& exePath) {
  return vtest::ReadDword(HKEY_LOCAL_MACHINE, kMarkKey, exePath, MarkView());
}

inline bool WriteMark(const std::wstring& exePath, DWORD mark) {
  return vtest::WriteDword(HKEY_LOCAL_MACHINE, kMarkKey, exePath, mark, MarkView());
}

// The full preparation ran today for this launcher copy.
inline void MarkInitialisedToday(const vtest::GameFolder& game) { WriteMark(game.ExePath(), TodayMark()); }

// No mark for this launcher copy (the key itself stays or is made).
inline void ClearLaunchMark(const vtest::GameFolder& game) {
  const vtest::RegView view = MarkView();
  vtest::WriteDword(HKEY_LOCAL_MACHINE, kMarkKey, L"placeholder", 0, view);
  vtest::DeleteValue(HKEY_LOCAL_MACHINE, kMarkKey, game.ExePath(), view);
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
