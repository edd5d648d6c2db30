#include "steps/programs/core/program_command_line.h"

#include <gtest/gtest.h>

using namespace vorlan;

TEST(ProgramCommandLine, PreLoadFormQuotesThePathAndKeepsTheBlank) {
  EXPECT_EQ(QuotedProgramCommandLine(L"X:\\tools\\patch.exe", L"-a \"b c\""), L"\"X:\\tools\\patch.exe\" -a \"b c\"");
  EXPECT_EQ(QuotedProgramCommandLine(L"X:\\tools\\patch.exe", L""), L"\"X:\\tools\\patch.exe\" ");
  EXPECT_EQ(QuotedProgramCommandLine(L"C:\\My Games\\a.exe", L"x"), L"\"C:\\My Games\\a.exe\" x");
}

TEST(ProgramCommandLine, BarePathIsQuotedOnlyWhenItHoldsABlankAndNamesAFile) {
  // The form option files rely on: a program and its own switches.
  EXPECT_EQ(BareProgramCommandLine(L"C:\\g\\tools\\setup.exe /silent", false, L"-q"),
            L"C:\\g\\tools\\setup.exe /silent -q");
  // Without a blank nothing changes, file or not.
  EXPECT_EQ(BareProgramCommandLine(L"C:\\g\\game.exe", true, L"-window"), L"C:\\g\\game.exe -window");
  EXPECT_EQ(BareProgramCommandLine(L"C:\\g\\game.exe", false, L""), L"C:\\g\\game.exe ");
  // An existing program under a folder with a blank: quoted, so that
  // "C:\My.exe" cannot stand in for it.
  EXPECT_EQ(BareProgramCommandLine(L"C:\\My Games\\game.exe", true, L"-window"), L"\"C:\\My Games\\game.exe\" -window");
  EXPECT_EQ(BareProgramCommandLine(L"C:\\My Games\\game.exe", true, L""), L"\"C:\\My Games\\game.exe\" ");
  EXPECT_EQ(BareProgramCommandLine(L"C:\\My\tGames\\game.exe", true, L""), L"\"C:\\My\tGames\\game.exe\" ");
  // Already quoted by the operator: left alone.
  EXPECT_EQ(BareProgramCommandLine(L"\"C:\\My Games\\game.exe\"", true, L"x"), L"\"C:\\My Games\\game.exe\" x");
  EXPECT_FALSE(BarePathNeedsQuotes(L"", true));
}

TEST(ProgramCommandLine, AppLocGetsTheGameAndLocaleInQuotes) {
  EXPECT_EQ(AppLocCommandLine(L"C:\\Windows\\AppPatch\\AppLoc.exe", true, L"X:\\bin\\game.exe", L"/L0804"),
            L"C:\\Windows\\AppPatch\\AppLoc.exe \"X:\\bin\\game.exe\" \"/L0804\"");
  EXPECT_EQ(AppLocCommandLine(L"AppPatch\\AppLoc.exe", false, L"X:\\game.exe", L""),
            L"AppPatch\\AppLoc.exe \"X:\\game.exe\" \"\"");
  EXPECT_EQ(AppLocCommandLine(L"C:\\Program Files\\AppLoc\\AppLoc.exe", true, L"X:\\game.exe", L"0411"),
            L"\"C:\\Program Files\\AppLoc\\AppLoc.exe\" \"X:\\game.exe\" \"0411\"");
}
