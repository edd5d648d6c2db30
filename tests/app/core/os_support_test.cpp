#include "app/core/os_support.h"

#include <gtest/gtest.h>

#include "platform/core/os_code.h"

using vorlan::IsOsSupportedBy;
using vorlan::OsCodeFor;
using vorlan::ParseOsCfg;

TEST(OsCode, GenerationsFromVersionAndProductType) {
  EXPECT_EQ(OsCodeFor(4, 0, true), 1);
  EXPECT_EQ(OsCodeFor(5, 0, true), 2);
  EXPECT_EQ(OsCodeFor(5, 1, true), 3);
  EXPECT_EQ(OsCodeFor(5, 2, true), 4);
  EXPECT_EQ(OsCodeFor(5, 2, false), 4);
  EXPECT_EQ(OsCodeFor(5, 9, true), 4);
  EXPECT_EQ(OsCodeFor(6, 0, true), 5);
  EXPECT_EQ(OsCodeFor(6, 0, false), 6);
  EXPECT_EQ(OsCodeFor(6, 1, false), 6);
  EXPECT_EQ(OsCodeFor(6, 3, false), 6);
  EXPECT_EQ(OsCodeFor(6, 1, true), 7);
  EXPECT_EQ(OsCodeFor(6, 2, true), 7);
  EXPECT_EQ(OsCodeFor(10, 0, true), 7);
  EXPECT_EQ(OsCodeFor(10, 0, false), 7);
}

TEST(OsCfg, PiecesReadAsAtoiDoes) {
  EXPECT_EQ(ParseOsCfg(L"3,7,"), (std::vector<int>{3, 7, 0}));
  EXPECT_EQ(ParseOsCfg(L" 5,x,8y,-2"), (std::vector<int>{5, 0, 8, -2}));
  EXPECT_EQ(ParseOsCfg(L""), (std::vector<int>{0}));
}

TEST(OsCfg, EmptyOrZeroEntryMeansEverySystem) {
  EXPECT_TRUE(IsOsSupportedBy(L"", 3, false));
  EXPECT_TRUE(IsOsSupportedBy(L"3,7,", 2, false));  // the empty last piece counts as 0
  EXPECT_TRUE(IsOsSupportedBy(L"0", 7, true));
  EXPECT_TRUE(IsOsSupportedBy(L"abc", 5, false));
}

TEST(OsCfg, WindowsSevenAndLaterAskForBitness) {
  EXPECT_FALSE(IsOsSupportedBy(L"7", 7, true));  // 64-bit Windows 10
  EXPECT_TRUE(IsOsSupportedBy(L"8", 7, true));
  EXPECT_TRUE(IsOsSupportedBy(L"7", 7, false));
  EXPECT_FALSE(IsOsSupportedBy(L"8", 7, false));
  EXPECT_TRUE(IsOsSupportedBy(L"3,8", 7, true));
}

TEST(OsCfg, OlderSystemsMatchTheirOwnCode) {
  EXPECT_TRUE(IsOsSupportedBy(L"3", 3, false));  // Windows XP
  EXPECT_FALSE(IsOsSupportedBy(L"2,4", 3, false));
  EXPECT_FALSE(IsOsSupportedBy(L"8", 3, true));  // 8 stands for 64-bit Windows 7+ only
  EXPECT_TRUE(IsOsSupportedBy(L"5,6", 6, false));
}
