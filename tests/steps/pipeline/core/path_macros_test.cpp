#include "steps/pipeline/core/path_macros.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using vorlan::ApplyMacroPrefix;
using vorlan::ExpansionFor;
using vorlan::FindMacro;
using vorlan::MacroTable;

namespace {

// Resolves "$CSIDL_WINDOWS$" (any case) to C:\Windows and everything else to
// nothing, and remembers what it was asked.
struct FakeResolver {
  std::vector<std::wstring> asked;
  std::wstring operator()(const std::wstring& token) {
    asked.push_back(token);
    const vorlan::MacroRow* row = FindMacro(token);
    return row && row->csidl == 36 ? L"C:\\Windows" : L"";
  }
};

std::wstring Apply(const std::wstring& value, FakeResolver* seen = nullptr) {
  FakeResolver local;
  FakeResolver& resolver = seen ? *seen : local;
  return ApplyMacroPrefix(value, [&](const std::wstring& t) { return resolver(t); });
}

}  // namespace

TEST(MacroTable, ThirtyNineRowsInTheirSearchOrder) {
  const auto table = MacroTable();
  ASSERT_EQ(table.size(), 39u);
  const std::vector<std::pair<std::wstring, int>> expected = {
      {L"$CSIDL_APPDATA$", 26}, {L"$CSIDL_LOCAL_APPDATA$", 28}, {L"$CSIDL_COMMON_APPDATA$", 35},
      {L"$CSIDL_WINDOWS$", 36}, {L"$CSIDL_SYSTEM$", 37}, {L"$CSIDL_PROGRAM_FILES$", 38},
      {L"$CSIDL_PROFILE$", 40}, {L"$CSIDL_SYSTEMX86$", 41}, {L"$CSIDL_PROGRAM_FILESX86$", 42},
      {L"$CSIDL_PROGRAM_FILES_COMMON$", 43}, {L"$CSIDL_PROGRAM_FILES_COMMONX86$", 44}, {L"$CSIDL_MYDOCUMENTS$", 5},
      {L"$CSIDL_MYMUSIC$", 13}, {L"$CSIDL_MYVIDEO$", 14}, {L"$CSIDL_MYPICTURES$", 39},
      {L"$CSIDL_COMMON_MUSIC$", 53}, {L"$CSIDL_COMMON_PICTURES$", 54}, {L"$CSIDL_COMMON_VIDEO$", 55},
      {L"$CSIDL_PROGRAMS$", 2}, {L"$CSIDL_FAVORITES$", 6}, {L"$CSIDL_STARTUP$", 7},
      {L"$CSIDL_SENDTO$", 9}, {L"$CSIDL_STARTMENU$", 11}, {L"$CSIDL_DESKTOPDIRECTORY$", 16},
      {L"$CSIDL_NETHOOD$", 19}, {L"$CSIDL_FONTS$", 20}, {L"$CSIDL_TEMPLATES$", 21},
      {L"$CSIDL_COMMON_STARTMENU$", 22}, {L"$CSIDL_COMMON_PROGRAMS$", 23}, {L"$CSIDL_COMMON_STARTUP$", 24},
      {L"$CSIDL_COMMON_DESKTOPDIRECTORY$", 25}, {L"$CSIDL_PRINTHOOD$", 27}, {L"$CSIDL_COOKIES$", 33},
      {L"$CSIDL_COMMON_TEMPLATES$", 45}, {L"$CSIDL_COMMON_DOCUMENTS$", 46}, {L"$CSIDL_COMMON_ADMINTOOLS$", 47},
      {L"$CSIDL_ADMINTOOLS$", 48}, {L"$CSIDL_RESOURCES$", 56}, {L"$CSIDL_RESOURCES_LOCALIZED$", 57},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(table[i].token, expected[i].first) << "row " << i + 1;
    EXPECT_EQ(table[i].csidl, expected[i].second) << "row " << i + 1;
  }
}

TEST(MacroTable, TokensMatchWholeAndIgnoringCase) {
  ASSERT_NE(FindMacro(L"$csidl_windows$"), nullptr);
  EXPECT_EQ(FindMacro(L"$csidl_windows$")->csidl, 36);
  EXPECT_EQ(FindMacro(L"$CsIdL_SyStEm$")->csidl, 37);
  // Rows whose tokens begin alike stay apart: the whole token is compared.
  EXPECT_EQ(FindMacro(L"$CSIDL_PROGRAM_FILES$")->csidl, 38);
  EXPECT_EQ(FindMacro(L"$CSIDL_PROGRAM_FILESX86$")->csidl, 42);
  EXPECT_EQ(FindMacro(L"$CSIDL_PROGRAM_FILES_COMMONX86$")->csidl, 44);
  EXPECT_EQ(FindMacro(L"$CSIDL_RESOURCES_LOCALIZED$")->csidl, 57);
  EXPECT_EQ(FindMacro(L"$CSIDL_WINDOWS"), nullptr);
  EXPECT_EQ(FindMacro(L"CSIDL_WINDOWS$"), nullptr);
  EXPECT_EQ(FindMacro(L"$CSIDL_WINDOWS$\\x"), nullptr);
  EXPECT_EQ(FindMacro(L"$CSIDL_WINDOW$"), nullptr);
  EXPECT_EQ(FindMacro(L""), nullptr);
  EXPECT_EQ(FindMacro(L"$$"), nullptr);
}

TEST(MacroPrefixedPath, TokenResolvedAndTailJoinedWithOneBackslash) {
  FakeResolver seen;
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$Fonts", &seen), L"C:\\Windows\\Fonts");
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$\\Fonts", &seen), L"C:\\Windows\\Fonts");
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$\\\\\\Fonts\\a b\\", &seen), L"C:\\Windows\\Fonts\\a b\\");
  EXPECT_EQ(Apply(L"$csidl_windows$\\Fonts", &seen), L"C:\\Windows\\Fonts");
  // The resolver is handed the token exactly as written, dollar signs included.
  EXPECT_EQ(seen.asked, (std::vector<std::wstring>{L"$CSIDL_WINDOWS$", L"$CSIDL_WINDOWS$", L"$CSIDL_WINDOWS$",
                                                  L"$csidl_windows$"}));
}

TEST(MacroPrefixedPath, TokenAloneOrWithBackslashesOnlyGivesTheFolderWithOneTrailingBackslash) {
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$"), L"C:\\Windows\\");
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$\\"), L"C:\\Windows\\");
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$\\\\\\"), L"C:\\Windows\\");
}

TEST(MacroPrefixedPath, UnknownOrEmptyTokenLeavesTheTailAlone) {
  EXPECT_EQ(Apply(L"$NOT_A_MACRO$\\Data"), L"\\Data");
  EXPECT_EQ(Apply(L"$NOT_A_MACRO$Data\\x"), L"Data\\x");
  EXPECT_EQ(Apply(L"$$\\Data"), L"\\Data");
  // Nothing at all is left: the caller's entry then ends.
  EXPECT_EQ(Apply(L"$$"), L"");
  EXPECT_EQ(Apply(L"$NOT_A_MACRO$"), L"");
}

TEST(MacroPrefixedPath, ValuesThatDoNotQualifyAreUsedAsTheyStand) {
  FakeResolver seen;
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS", &seen), L"$CSIDL_WINDOWS");
  EXPECT_EQ(Apply(L"$", &seen), L"$");
  EXPECT_EQ(Apply(L"", &seen), L"");
  EXPECT_EQ(Apply(L"C:\\Games\\$CSIDL_WINDOWS$", &seen), L"C:\\Games\\$CSIDL_WINDOWS$");
  EXPECT_EQ(Apply(L" $CSIDL_WINDOWS$", &seen), L" $CSIDL_WINDOWS$");
  EXPECT_TRUE(seen.asked.empty());
}

TEST(MacroPrefixedPath, OnlyTheFirstTokenIsResolved) {
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$$CSIDL_WINDOWS$"), L"C:\\Windows\\$CSIDL_WINDOWS$");
  auto parts = vorlan::SplitMacroPrefixedPath(L"$A$$B$\\c");
  ASSERT_TRUE(parts.has_value());
  EXPECT_EQ(parts->token, L"$A$");
  EXPECT_EQ(parts->tail, L"$B$\\c");
}

TEST(MacroPrefixedPath, LongValuesAreJoinedWhole) {
  const std::wstring tail(300, L'x');
  EXPECT_EQ(Apply(L"$CSIDL_WINDOWS$\\" + tail), L"C:\\Windows\\" + tail);
}

TEST(MacroExpansion, RowsResolvedThroughTheEnvironment) {
  struct Case {
    int csidl, osCode;
    bool use64;
    std::wstring variable, join, logName;
    bool intoFolder;
  };
  const std::vector<Case> cases = {
      {26, 7, false, L"%appdata%", L"", L"appdata", false},
      {26, 3, true, L"%appdata%", L"", L"appdata", false},
      {28, 5, false, L"%localappdata%", L"", L"localappdata", false},
      {28, 4, false, L"", L"", L"localappdata", false},  // before Vista: not expanded
      {28, 3, false, L"", L"", L"localappdata", false},
      {35, 3, false, L"%ALLUSERSPROFILE%", L"Application Data", L"ProgramData", false},
      {35, 5, false, L"%ProgramData%", L"", L"ProgramData", false},
      {35, 7, false, L"%ProgramData%", L"", L"ProgramData", false},
      {36, 7, false, L"%windir%", L"", L"windir", false},
      {37, 3, false, L"%windir%", L"System32", L"windir//system32", false},
      {40, 7, false, L"%USERPROFILE%", L"", L"USERPROFILE", false},
      {38, 7, false, L"%ProgramFiles%", L"", L"ProgramFiles", true},
      {38, 7, true, L"%ProgramW6432%", L"", L"ProgramFiles", true},
      {43, 7, false, L"%CommonProgramFiles%", L"", L"CommonProgramFiles", true},
      {43, 7, true, L"%ProgramW6432%", L"Common Files", L"CommonProgramFiles", true},
  };
  for (const Case& c : cases) {
    auto e = ExpansionFor(c.csidl, c.osCode, c.use64);
    ASSERT_TRUE(e.has_value()) << c.csidl;
    EXPECT_EQ(e->variable, c.variable) << c.csidl << " os " << c.osCode;
    EXPECT_EQ(e->joinTail, c.join) << c.csidl;
    EXPECT_EQ(e->logName, c.logName) << c.csidl;
    EXPECT_EQ(e->intoFolder, c.intoFolder) << c.csidl;
  }
}

TEST(MacroExpansion, EveryOtherRowGoesStraightToTheShell) {
  const std::set<int> expanded = {26, 28, 35, 36, 37, 38, 40, 43};
  for (const auto& row : MacroTable()) {
    if (expanded.count(row.csidl)) continue;
    EXPECT_FALSE(ExpansionFor(row.csidl, 7, true).has_value()) << row.csidl;
    EXPECT_FALSE(ExpansionFor(row.csidl, 3, false).has_value()) << row.csidl;
  }
}

TEST(MacroExpansion, OnlyAFittingRealExpansionCounts) {
  using vorlan::ExpansionSucceeded;
  EXPECT_TRUE(ExpansionSucceeded(L"%windir%", L"C:\\Windows", 11));
  EXPECT_FALSE(ExpansionSucceeded(L"%windir%", L"", 0));
  // The text did not fit the 260-character buffer.
  EXPECT_TRUE(ExpansionSucceeded(L"%windir%", std::wstring(259, L'a'), 260));
  EXPECT_FALSE(ExpansionSucceeded(L"%windir%", L"", 261));
  EXPECT_FALSE(ExpansionSucceeded(L"%windir%", L"", 4000));
  // A variable this PC does not have comes back as it was written.
  EXPECT_FALSE(ExpansionSucceeded(L"%ProgramW6432%", L"%ProgramW6432%", 15));
  EXPECT_FALSE(ExpansionSucceeded(L"%ProgramW6432%", L"%PROGRAMW6432%", 15));
}
