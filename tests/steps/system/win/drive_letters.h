#pragma once
// Drive letters for the tests of the "Map" step: a letter nothing is
// defined for, what a letter shows, and taking down every definition and
// record a test left on one. Definitions are global to a Wine prefix, hence
// the tests' resource lock "drive-map".

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "vtest/registry.h"

namespace maptest {

inline const std::wstring kRecordKey = L"Software\\ZR_Vorlan\\Map";

inline std::wstring Drive(wchar_t letter) { return {letter, L':'}; }

// What the letter shows first ("\??\C:\x"), empty when nothing.
inline std::wstring Shows(wchar_t letter) {
  wchar_t answer[4096] = {};
  return ::QueryDosDeviceW(Drive(letter).c_str(), answer, 4096) ? answer : L"";
}

// A letter from M down that nothing is defined for (away from the letters
// other tests take as missing drives, Q and up).
inline wchar_t FreeLetter() {
  for (wchar_t letter = L'M'; letter >= L'H'; --letter)
    if (Shows(letter).empty()) return letter;
  ADD_FAILURE() << "every drive letter from H to M is defined";
  return L'M';
}

inline void Define(wchar_t letter, const std::wstring& folder) {
  ASSERT_TRUE(::DefineDosDeviceW(0, Drive(letter).c_str(), folder.c_str())) << ::GetLastError();
}

inline std::optional<std::wstring> Record(wchar_t letter) {
  return vtest::ReadString(HKEY_LOCAL_MACHINE, kRecordKey, Drive(letter), vtest::RegView::Wow64);
}

inline void Unmap(wchar_t letter) {
  for (int i = 0; i < 8 && !Shows(letter).empty(); ++i)
    ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, Drive(letter).c_str(), nullptr);
  vtest::DeleteValue(HKEY_LOCAL_MACHINE, kRecordKey, Drive(letter), vtest::RegView::Wow64);
}

// Unmaps the letter when the test ends, however it ends.
struct UnmapAtEnd {
  wchar_t letter;
  ~UnmapAtEnd() { Unmap(letter); }
};

}  // namespace maptest
