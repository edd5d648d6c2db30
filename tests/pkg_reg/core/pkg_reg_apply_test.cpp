// Applying entries: what reaches the registry for each entry, and the rule
// that a file with a name that cannot be split is left out whole.

#include "pkg_reg/core/pkg_reg_apply.h"

#include <gtest/gtest.h>

#include "pkg_reg_bytes.h"
#include "recording_target.h"

using namespace pkgreg_test;
using vorlan::pkgreg::ApplyPkgReg;
using vorlan::pkgreg::RegRoot;

namespace {
CPkgRegEntry Entry(std::uint8_t flag, std::uint32_t type, std::string_view name, std::string_view data) {
  return CPkgRegEntry(flag, type, B(name), B(data));
}
}  // namespace

TEST(PkgRegApply, StringValuesGetTheInstallDirectoryAndEndAtTheirFirstNul) {
  RecordingTarget target;
  const std::string_view data("%InstallDir%\\bin;%installdir%\0tail", 34);
  EXPECT_EQ(Entry(0, 1, "HKLM\\Software\\Foo\\InstallPath", data).Apply(L"E:\\Games\\X\\", target),
            EntryApplyResult::Written);
  ASSERT_EQ(target.values.size(), 1u);
  const auto& v = target.values[0];
  EXPECT_EQ(v.root, RegRoot::LocalMachine);
  EXPECT_EQ(v.keyPath, L"Software\\Foo");
  EXPECT_EQ(v.valueName, L"INSTALLPATH");
  EXPECT_EQ(v.type, 1u);
  EXPECT_EQ(v.text, L"E:\\Games\\X\\bin;%installdir%");
  EXPECT_TRUE(v.bytes.empty());
}

TEST(PkgRegApply, OtherTypesKeepTheirBytesExactly) {
  RecordingTarget target;
  const std::string_view dword("\x78\x56\x34\x12", 4);
  const std::string_view expand("%InstallDir%\0", 13);
  EXPECT_EQ(Entry(0, 4, "HKCU\\Software\\Foo\\Count", dword).Apply(L"D:\\G", target), EntryApplyResult::Written);
  EXPECT_EQ(Entry(0, 2, "HKCU\\Software\\Foo\\Expand", expand).Apply(L"D:\\G", target), EntryApplyResult::Written);
  EXPECT_EQ(Entry(0, 3, "HKCU\\Software\\Foo\\Empty", "").Apply(L"D:\\G", target), EntryApplyResult::Written);
  ASSERT_EQ(target.values.size(), 3u);
  EXPECT_EQ(target.values[0].root, RegRoot::CurrentUser);
  EXPECT_EQ(target.values[0].type, 4u);
  EXPECT_EQ(target.values[0].bytes, B(dword));
  EXPECT_EQ(target.values[1].type, 2u);
  EXPECT_EQ(target.values[1].bytes, B(expand));  // no replacement outside REG_SZ
  EXPECT_TRUE(target.values[2].bytes.empty());
  for (const auto& v : target.values) EXPECT_TRUE(v.text.empty());
}

TEST(PkgRegApply, KeyEntriesAndDefaultNamesWriteTheDefaultValue) {
  RecordingTarget target;
  Entry(1, 1, "HKCR\\.foo\\shell", "open").Apply(L"", target);
  Entry(0, 1, "hklm\\Software\\A\\(default)", "dflt").Apply(L"", target);
  ASSERT_EQ(target.values.size(), 2u);
  EXPECT_EQ(target.values[0].root, RegRoot::ClassesRoot);
  EXPECT_EQ(target.values[0].keyPath, L".foo\\shell");
  EXPECT_EQ(target.values[0].valueName, L"");
  EXPECT_EQ(target.values[0].text, L"open");
  EXPECT_EQ(target.values[1].keyPath, L"Software\\A");
  EXPECT_EQ(target.values[1].valueName, L"");
}

TEST(PkgRegApply, UnknownRootsAndUnopenableKeysAreSkipped) {
  RecordingTarget target;
  target.unopenableKeys.insert(L"Software\\Locked");
  EXPECT_EQ(Entry(0, 1, "HKU\\Software\\A\\B", "x").Apply(L"", target), EntryApplyResult::UnknownRoot);
  EXPECT_EQ(Entry(0, 1, "HKEY_LOCAL_MACHINE\\Software\\A\\B", "x").Apply(L"", target), EntryApplyResult::UnknownRoot);
  EXPECT_EQ(Entry(0, 1, "HKLM\\Software\\Locked\\B", "x").Apply(L"", target), EntryApplyResult::KeyNotOpened);
  EXPECT_EQ(Entry(0, 1, "HKLM\\Software", "x").Apply(L"", target), EntryApplyResult::NameNotSplit);
  EXPECT_EQ(Entry(1, 1, "HKL", "x").Apply(L"", target), EntryApplyResult::NameNotSplit);
  EXPECT_TRUE(target.values.empty());
}

TEST(PkgRegApply, AFileIsAppliedInOrderWithItsSkipsCounted) {
  RecordingTarget target;
  target.unopenableKeys.insert(L"Software\\Locked");
  CPkgReg reg({Entry(0, 1, "HKLM\\Software\\A\\First", "1"), Entry(0, 1, "HKU\\Software\\A\\B", "x"),
               Entry(0, 1, "HKLM\\Software\\Locked\\V", "x"), Entry(1, 4, "HKCU\\Software\\A", "\1\0\0\0"),
               Entry(0, 1, "HKLM\\Software\\A\\First", "2")});
  const auto report = ApplyPkgReg(reg, L"D", target);
  EXPECT_TRUE(report.applied);
  EXPECT_EQ(report.written, 3u);
  EXPECT_EQ(report.skipped, 2u);
  ASSERT_EQ(target.values.size(), 3u);
  EXPECT_EQ(target.values[0].text, L"1");
  EXPECT_EQ(target.values[1].root, RegRoot::CurrentUser);
  EXPECT_EQ(target.values[2].text, L"2");  // the later entry wins, as in file order
}

TEST(PkgRegApply, ANameThatCannotBeSplitLeavesTheWholeFileOut) {
  for (std::string_view bad : {"HKLM", "HKLM\\NoValueName", ""}) {
    RecordingTarget target;
    CPkgReg reg({Entry(0, 1, "HKLM\\Software\\A\\First", "1"), Entry(0, 1, bad, "x"),
                 Entry(0, 1, "HKLM\\Software\\A\\Third", "3")});
    const auto report = ApplyPkgReg(reg, L"D", target);
    EXPECT_FALSE(report.applied) << bad;
    EXPECT_EQ(report.faultIndex, 1u);
    EXPECT_EQ(report.faultName, std::wstring(bad.begin(), bad.end()));
    EXPECT_EQ(report.written, 0u);
    EXPECT_TRUE(target.values.empty()) << bad;
  }
}
