// The rules that turn catalogue values into decisions and names.

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>

#include "components/core/catalogue_layout.h"
#include "components/core/install_mark.h"

using namespace vorlan;

TEST(InstallMark, OneChecksTwoAndThreeDecideAloneEverythingElseIsNoCheck) {
  EXPECT_EQ(CheckForMark(1), MarkCheck::ByType);
  EXPECT_EQ(CheckForMark(2), MarkCheck::AlwaysMissing);
  EXPECT_EQ(CheckForMark(3), MarkCheck::AlwaysInstalled);
  for (int mark : {0, 4, -1, 100, INT_MIN, INT_MAX}) EXPECT_EQ(CheckForMark(mark), MarkCheck::None) << mark;
}

TEST(InstallMark, SkipAtWindows7TurnsTheMarkOffOnWindows7Only) {
  EXPECT_EQ(MarkOnLoad(1, 1, true), 0);
  EXPECT_EQ(MarkOnLoad(2, 1, true), 0);
  EXPECT_EQ(MarkOnLoad(1, 1, false), 1);
  EXPECT_EQ(MarkOnLoad(2, 0, true), 2);
  EXPECT_EQ(MarkOnLoad(3, 2, true), 3);  // only the value 1 skips
}

TEST(InstallMark, AnAlwaysMissingComponentCountsAsInstalledOnceItsInstallerStarted) {
  EXPECT_EQ(MarkAfterInstallerStarted(2), 3);
  EXPECT_EQ(CheckForMark(MarkAfterInstallerStarted(2)), MarkCheck::AlwaysInstalled);
  EXPECT_EQ(MarkAfterInstallerStarted(1), 1);  // its check decides
  EXPECT_EQ(MarkAfterInstallerStarted(0), 0);
  EXPECT_EQ(MarkAfterInstallerStarted(3), 3);
}

TEST(CatalogueLayout, ListSectionIs64BitOnlyWhenEnabledAndOn64BitWindows) {
  EXPECT_EQ(ListSection(1, true), L"Argument64");
  EXPECT_EQ(ListSection(1, false), L"Argument");
  EXPECT_EQ(ListSection(0, true), L"Argument");
  EXPECT_EQ(ListSection(2, true), L"Argument");
}

TEST(CatalogueLayout, ListLengthReadsNothingForZeroOrLessAndIsCutWhenHuge) {
  EXPECT_EQ(ListLength(0), 0);
  EXPECT_EQ(ListLength(-5), 0);
  EXPECT_EQ(ListLength(INT_MIN), 0);
  EXPECT_EQ(ListLength(1), 1);
  EXPECT_EQ(ListLength(kMaxListEntries), kMaxListEntries);
  EXPECT_FALSE(ListLengthIsCut(kMaxListEntries));
  EXPECT_EQ(ListLength(kMaxListEntries + 1), kMaxListEntries);
  EXPECT_EQ(ListLength(INT_MAX), kMaxListEntries);
  EXPECT_TRUE(ListLengthIsCut(INT_MAX));
  EXPECT_EQ(ListKey(0), L"Argument_0");
  EXPECT_EQ(ListKey(12), L"Argument_12");
}

TEST(CatalogueLayout, CheckTypesMatchExactly) {
  EXPECT_EQ(ParseCheckType(L"regread"), CheckType::RegRead);
  EXPECT_EQ(ParseCheckType(L"filefind"), CheckType::FileFind);
  for (const wchar_t* other : {L"RegRead", L"FileFind", L"regread ", L" filefind", L"", L"regre", L"reg"})
    EXPECT_EQ(ParseCheckType(other), CheckType::None) << "'" << std::string(other, other + wcslen(other)) << "'";
}

TEST(CatalogueLayout, FileFindNamesWithAndWithoutTheWindowsDirectory) {
  EXPECT_EQ(FileFindName(true, L"C:\\windows", L"system32\\d3dx9_", 40, L".dll"), L"C:\\windows\\system32\\d3dx9_40.dll");
  EXPECT_EQ(FileFindName(false, L"C:\\windows", L"redist\\vc", 8, L"*.dll"), L"redist\\vc8*.dll");
  EXPECT_EQ(FileFindName(false, L"", L"", -3, L""), L"-3");
  EXPECT_EQ(FileFindName(true, L"", L"x", 0, L"y"), L"\\x0y");
  EXPECT_EQ(FileFindNumber(40, 2), 42);
  EXPECT_EQ(FileFindNumber(INT_MAX, 1), INT_MIN);  // as a 32-bit "%d" of start + k
  EXPECT_EQ(FileFindNumber(-2, 3), 1);
}

TEST(CatalogueLayout, Windows7SectionOnlyOnWindows7AndOnlyWhenItNamesAnInstaller) {
  EXPECT_EQ(Win7SectionName(L"DirectX"), L"DirectXWin7");
  EXPECT_EQ(InstallSectionName(L"DirectX", true, L"dxsetup.exe"), L"DirectXWin7");
  EXPECT_EQ(InstallSectionName(L"DirectX", true, L""), L"DirectX");
  EXPECT_EQ(InstallSectionName(L"DirectX", false, L"dxsetup.exe"), L"DirectX");
  EXPECT_EQ(HelpPageName(L"Chinese"), L"Chinese.htm");
  EXPECT_EQ(HelpPageName(L"中文"), L"中文.htm");
}
