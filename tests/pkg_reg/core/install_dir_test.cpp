#include "pkg_reg/core/install_dir.h"

#include <gtest/gtest.h>

using vorlan::pkgreg::ReplaceInstallDir;

TEST(InstallDir, OnlyTheExactSpellingIsReplaced) {
  EXPECT_EQ(ReplaceInstallDir(L"%InstallDir%\\bin;%installdir%", L"E:\\Games\\X\\"), L"E:\\Games\\X\\bin;%installdir%");
  EXPECT_EQ(ReplaceInstallDir(L"%INSTALLDIR% %InstallDir %InstallDir", L"D:\\G"),
            L"%INSTALLDIR% %InstallDir %InstallDir");
}

TEST(InstallDir, EveryOccurrenceIsReplacedLeftToRight) {
  EXPECT_EQ(ReplaceInstallDir(L"a%InstallDir%b%InstallDir%%InstallDir%c", L"D"), L"aDbDDc");
  EXPECT_EQ(ReplaceInstallDir(L"%InstallDir%", L"D:\\G"), L"D:\\G");
  EXPECT_EQ(ReplaceInstallDir(L"no macro", L"D:\\G"), L"no macro");
  EXPECT_EQ(ReplaceInstallDir(L"", L"D:\\G"), L"");
  // The search goes on after the inserted text, so a directory holding the
  // macro is not expanded again.
  EXPECT_EQ(ReplaceInstallDir(L"%InstallDir%\\x", L"C:\\%InstallDir%"), L"C:\\%InstallDir%\\x");
  // Overlapping spellings: the first complete one wins.
  EXPECT_EQ(ReplaceInstallDir(L"%%InstallDir%%", L"D"), L"%D%");
}

TEST(InstallDir, EveryTrailingBackslashOfTheDirectoryIsDropped) {
  EXPECT_EQ(ReplaceInstallDir(L"%InstallDir%\\a", L"E:\\Games\\X\\\\\\"), L"E:\\Games\\X\\a");
  EXPECT_EQ(ReplaceInstallDir(L"[%InstallDir%]", L"\\\\"), L"[]");
  EXPECT_EQ(ReplaceInstallDir(L"[%InstallDir%]", L""), L"[]");
  EXPECT_EQ(ReplaceInstallDir(L"[%InstallDir%]", L"\u6e38\u620f\\"), L"[\u6e38\u620f]");
}
