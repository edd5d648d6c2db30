#include "platform/core/path_join.h"

#include <gtest/gtest.h>

using vorlan::DirectoryOf;
using vorlan::ModuleNameOf;
using vorlan::PathJoin;

TEST(PathJoin, OneBackslashBetweenBaseAndTail) {
  EXPECT_EQ(PathJoin(L"C:\\Windows", L"Fonts"), L"C:\\Windows\\Fonts");
  EXPECT_EQ(PathJoin(L"C:\\Windows", L"\\Fonts"), L"C:\\Windows\\Fonts");
  EXPECT_EQ(PathJoin(L"C:\\Windows", L"\\\\\\Fonts\\a"), L"C:\\Windows\\Fonts\\a");
  EXPECT_EQ(PathJoin(L"C:\\Windows\\", L"Fonts"), L"C:\\Windows\\Fonts");
  EXPECT_EQ(PathJoin(L"X:", L"tools\\patch.exe"), L"X:\\tools\\patch.exe");
}

TEST(PathJoin, EmptyPartsFollowTheRule) {
  EXPECT_EQ(PathJoin(L"C:\\Windows", L""), L"C:\\Windows\\");
  EXPECT_EQ(PathJoin(L"C:\\Windows", L"\\"), L"C:\\Windows\\");
  EXPECT_EQ(PathJoin(L"", L"\\Data"), L"\\Data");
  EXPECT_EQ(PathJoin(L"", L""), L"");
}

TEST(ModuleName, TextBetweenLastBackslashAndLastDot) {
  EXPECT_EQ(ModuleNameOf(L"C:\\games\\Game.Launcher.exe"), L"Game.Launcher");
  EXPECT_EQ(ModuleNameOf(L"C:\\games\\Vorlan.exe"), L"Vorlan");
  EXPECT_EQ(ModuleNameOf(L"C:\\my.games\\Vorlan"), L"Vorlan");
  EXPECT_EQ(ModuleNameOf(L""), L"");
  EXPECT_EQ(DirectoryOf(L"C:\\games\\Vorlan.exe"), L"C:\\games");
  EXPECT_EQ(DirectoryOf(L"Vorlan.exe"), L"");
}
