#include "pkg_reg/core/entry_name.h"

#include <gtest/gtest.h>

using namespace vorlan::pkgreg;

namespace {
EntryName Split(std::wstring_view name, bool keyOnly = false) {
  auto split = SplitEntryName(name, keyOnly);
  EXPECT_TRUE(split.has_value()) << "cannot split";
  return split.value_or(EntryName{});
}
}  // namespace

TEST(EntryName, SplitsRootKeyPathAndUpperCaseValueName) {
  EntryName n = Split(L"HKCU\\Software\\A\\Path");
  EXPECT_EQ(n.root, L"HKCU");
  EXPECT_EQ(n.keyPath, L"Software\\A");
  EXPECT_EQ(n.valueName, L"PATH");

  n = Split(L"hklm\\Software\\Mixed Case\\sub\\Value.Name-x");
  EXPECT_EQ(n.root, L"HKLM");
  EXPECT_EQ(n.keyPath, L"Software\\Mixed Case\\sub");  // key paths keep their case
  EXPECT_EQ(n.valueName, L"VALUE.NAME-X");

  // The fifth character is skipped whatever it is.
  n = Split(L"HKLM/Software\\A\\v");
  EXPECT_EQ(n.keyPath, L"Software\\A");
  EXPECT_EQ(n.valueName, L"V");

  // Only a-z change case.
  n = Split(L"HkCu\\K\\stra\u00dfe\u00e9z");
  EXPECT_EQ(n.root, L"HKCU");
  EXPECT_EQ(n.valueName, L"STRA\u00dfE\u00e9Z");
}

TEST(EntryName, DefaultNamesTheKeysDefaultValue) {
  EXPECT_EQ(Split(L"hklm\\Software\\A\\(default)").valueName, L"");
  EXPECT_EQ(Split(L"hklm\\Software\\A\\(default)").keyPath, L"Software\\A");
  EXPECT_EQ(Split(L"HKLM\\Software\\A\\(DeFault)").valueName, L"");
  EXPECT_EQ(Split(L"HKLM\\Software\\A\\(default) ").valueName, L"(DEFAULT) ");
  EXPECT_EQ(Split(L"HKLM\\Software\\A\\").valueName, L"");
}

TEST(EntryName, NonzeroFlagNamesAKeyPathOnly) {
  EntryName n = Split(L"HKLM\\Software\\A\\Path", true);
  EXPECT_EQ(n.keyPath, L"Software\\A\\Path");
  EXPECT_EQ(n.valueName, L"");
  EXPECT_EQ(Split(L"HKLM\\Software", true).keyPath, L"Software");
  EXPECT_EQ(Split(L"HKLM\\", true).keyPath, L"");
}

TEST(EntryName, NamesThatCannotBeSplit) {
  EXPECT_FALSE(SplitEntryName(L"", false));
  EXPECT_FALSE(SplitEntryName(L"HKLM", true));
  EXPECT_FALSE(SplitEntryName(L"HKLM", false));
  EXPECT_FALSE(SplitEntryName(L"HKLM\\", false));
  EXPECT_FALSE(SplitEntryName(L"HKLM\\Software", false));       // flag 0 and no backslash after the root
  EXPECT_TRUE(SplitEntryName(L"HKLM\\\\", false).has_value());  // a separator and an empty key path
}

TEST(EntryName, OnlyTheThreeFourLetterRootsAreKnown) {
  EXPECT_EQ(RootFromName(L"HKCR"), RegRoot::ClassesRoot);
  EXPECT_EQ(RootFromName(L"HKCU"), RegRoot::CurrentUser);
  EXPECT_EQ(RootFromName(L"HKLM"), RegRoot::LocalMachine);
  // What the splitter gives for HKU\ and HKEY_LOCAL_MACHINE\ names.
  EXPECT_EQ(Split(L"HKU\\Software\\A\\B").root, L"HKU\\");
  EXPECT_FALSE(RootFromName(L"HKU\\"));
  EXPECT_EQ(Split(L"HKEY_LOCAL_MACHINE\\Software\\A\\B").root, L"HKEY");
  EXPECT_FALSE(RootFromName(L"HKEY"));
  EXPECT_FALSE(RootFromName(L"hklm"));
}
