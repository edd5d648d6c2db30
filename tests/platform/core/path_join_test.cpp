#include "platform/core/path_join.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

using vorlan::DirectoryOf;
using vorlan::IsSameOrBelow;
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

TEST(SameOrBelow, OnlyTheFolderItselfAndWhatLiesUnderIt) {
  struct Row {
    const wchar_t* path;
    const wchar_t* folder;
    bool below;
  };
  const Row rows[] = {
      {L"C:\\GAMES\\X", L"C:\\GAMES\\X", true},
      {L"C:\\GAMES\\X\\", L"C:\\GAMES\\X", true},
      {L"C:\\GAMES\\X\\BACKUP", L"C:\\GAMES\\X\\", true},
      {L"C:\\GAMES\\X\\A\\B", L"C:\\GAMES\\X", true},
      {L"C:\\X", L"C:\\", true},
      {L"C:\\GAMES\\X2", L"C:\\GAMES\\X", false},
      {L"C:\\GAMES", L"C:\\GAMES\\X", false},
      {L"D:\\GAMES\\X", L"C:\\GAMES\\X", false},
      {L"\\\\SERVER\\SHARE\\X", L"\\\\SERVER\\SHARE", true},
      {L"C:\\X", L"", false},
      {L"C:\\X", L"\\", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsSameOrBelow(row.path, row.folder), row.below)
        << std::string(row.path, row.path + std::wcslen(row.path)) << " in "
        << std::string(row.folder, row.folder + std::wcslen(row.folder));
  }
}
