#include "app/core/command_line.h"

#include <gtest/gtest.h>

using vorlan::ParseGameIdFromCmdLine;

TEST(GameIdFromCmdLine, NewVorlanThenBlankThenDecimalId) {
  auto r = ParseGameIdFromCmdLine(L"\"C:\\g\\Vorlan.exe\" NewVorlan 1234");
  EXPECT_TRUE(r.newStyleStart);
  EXPECT_EQ(r.gameId, 1234u);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan 1234 whatever 99").gameId, 1234u);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan 77abc").gameId, 77u);
}

TEST(GameIdFromCmdLine, WithoutTheWordTheIdIsZeroAndTheStartIsOldStyle) {
  auto r = ParseGameIdFromCmdLine(L"\"C:\\g\\Vorlan.exe\" 1234");
  EXPECT_FALSE(r.newStyleStart);
  EXPECT_EQ(r.gameId, 0u);
  EXPECT_FALSE(ParseGameIdFromCmdLine(L"x.exe newvorlan 5").newStyleStart);  // the word is case-sensitive
  EXPECT_FALSE(ParseGameIdFromCmdLine(L"").newStyleStart);
}

TEST(GameIdFromCmdLine, MissingOrNonNumericIdsGiveZero) {
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan").gameId, 0u);       // no blank after the word
  EXPECT_TRUE(ParseGameIdFromCmdLine(L"x.exe NewVorlan").newStyleStart);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan ").gameId, 0u);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan  12").gameId, 0u);   // the id starts right after the first blank
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan abc").gameId, 0u);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan -5").gameId, 0u);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan 4294967295").gameId, 4294967295u);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan 99999999999").gameId, 0u);
  EXPECT_EQ(ParseGameIdFromCmdLine(L"x.exe NewVorlan\t12").gameId, 0u);   // only a blank separates
}
