// Registry script files applied to the registry of the test prefix and read
// back, in this (32-bit) process's view of the registry.

#include "pkg_reg/win/apply_pkg_reg_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "pkg_reg/win/pkg_reg_file.h"
#include "pkg_reg_win_support.h"
#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace pkgreg_test;
using vtest::KeyExists;
using vtest::ReadString;

namespace {

class ApplyPkgRegFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vtest::RemoveTree(dir_);
    ASSERT_TRUE(vtest::MakeDirectories(dir_));
    Clean();
  }
  void TearDown() override {
    Clean();
    vtest::RemoveTree(dir_);
  }
  void Clean() {
    vtest::DeleteTree(HKEY_LOCAL_MACHINE, key_);
    vtest::DeleteTree(HKEY_CURRENT_USER, key_);
    vtest::DeleteTree(HKEY_CLASSES_ROOT, classKey_);
  }
  std::wstring File(const std::wstring& name, std::vector<CPkgRegEntry> entries) {
    const std::wstring path = dir_ + L"\\" + name;
    WritePkgRegFile(path, std::move(entries));
    return path;
  }

  std::wstring dir_ = vtest::TestFolderFor();
  const std::wstring key_ = L"Software\\VorlanTests\\PkgReg";
  const std::wstring classKey_ = L".vorlanpkgregtest";
};

}  // namespace

TEST_F(ApplyPkgRegFileTest, DefaultValuesAndUpperCaseValueNames) {
  const std::wstring path = File(L"a.nfd", {AnsiEntry(0, 1, L"hklm\\" + key_ + L"\\A\\(default)", "dflt"),
                                            AnsiEntry(0, 1, L"HKCU\\" + key_ + L"\\A\\Path", "p"),
                                            AnsiEntry(0, 1, L"HKCU\\" + key_ + L"\\A\\MixedName", "m"),
                                            AnsiEntry(1, 1, L"HKCR\\" + classKey_ + L"\\Shell", "open")});
  ASSERT_TRUE(ApplyPkgRegFile(path, L"C:\\Games\\X"));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key_ + L"\\A", L""), L"dflt");
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, key_ + L"\\A"), std::vector<std::wstring>{L""});
  auto names = ValueNames(HKEY_CURRENT_USER, key_ + L"\\A");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"MIXEDNAME", L"PATH"}));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_ + L"\\A", L"PATH"), L"p");
  // Key paths keep their case; a nonzero flag writes the key's default value.
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, classKey_ + L"\\Shell", L""), L"open");
  EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER, key_).empty());
}

TEST_F(ApplyPkgRegFileTest, UnknownRootsAreSkippedAndTheOthersWritten) {
  const std::wstring path = File(L"b.psd", {AnsiEntry(0, 1, L"HKU\\.DEFAULT\\" + key_ + L"\\V", "x"),
                                            AnsiEntry(0, 1, L"HKEY_LOCAL_MACHINE\\" + key_ + L"\\V", "x"),
                                            AnsiEntry(0, 1, L"HKCC\\" + key_ + L"\\V", "x"),
                                            AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\After", "written")});
  ASSERT_TRUE(ApplyPkgRegFile(path, L"C:\\Games\\X"));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key_, L"AFTER"), L"written");
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, key_), std::vector<std::wstring>{L"AFTER"});
  EXPECT_FALSE(KeyExists(HKEY_USERS, L".DEFAULT\\" + key_));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"LOCAL_MACHINE"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_CONFIG, key_));
}

TEST_F(ApplyPkgRegFileTest, OtherTypesAreWrittenWithTheirBytesUnchanged) {
  const std::wstring path =
      File(L"c.nfd", {AnsiEntry(0, 4, L"HKLM\\" + key_ + L"\\Count", "\x78\x56\x34\x12"),
                      AnsiEntry(0, 3, L"HKLM\\" + key_ + L"\\Empty", ""),
                      AnsiEntry(0, 2, L"HKLM\\" + key_ + L"\\Expand", "%InstallDir%"),
                      AnsiEntry(0, 0x99, L"HKLM\\" + key_ + L"\\Odd", std::string("\x01\x00\xff", 3))});
  ASSERT_TRUE(ApplyPkgRegFile(path, L"C:\\Games\\X"));
  EXPECT_EQ(vtest::ReadDword(HKEY_LOCAL_MACHINE, key_, L"COUNT"), 0x12345678u);
  auto raw = ReadRawValue(HKEY_LOCAL_MACHINE, key_, L"COUNT");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->bytes, (Bytes{0x78, 0x56, 0x34, 0x12}));
  raw = ReadRawValue(HKEY_LOCAL_MACHINE, key_, L"EMPTY");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, REG_BINARY);
  EXPECT_TRUE(raw->bytes.empty());
  raw = ReadRawValue(HKEY_LOCAL_MACHINE, key_, L"EXPAND");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(raw->bytes, Bytes({'%', 'I', 'n', 's', 't', 'a', 'l', 'l', 'D', 'i', 'r', '%'}));  // not replaced
  raw = ReadRawValue(HKEY_LOCAL_MACHINE, key_, L"ODD");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, 0x99u);
  EXPECT_EQ(raw->bytes, (Bytes{0x01, 0x00, 0xFF}));
}

TEST_F(ApplyPkgRegFileTest, StringValuesGetTheInstallDirectoryInTheExactSpellingOnly) {
  const std::wstring path =
      File(L"d.nfd", {AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\Path", "%InstallDir%\\bin;%installdir%"),
                      AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\Cut", std::string("%InstallDir%\0tail", 17)),
                      AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\\u6e38\u620f\\\u540d\u5b57",
                                vtest::ToAnsi(L"\u76ee\u5f55=%InstallDir%\\\u5b58\u6863"))});
  ASSERT_TRUE(ApplyPkgRegFile(path, L"E:\\Games\\X\\"));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key_, L"PATH"), L"E:\\Games\\X\\bin;%installdir%");
  auto raw = ReadRawValue(HKEY_LOCAL_MACHINE, key_, L"PATH");
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw->bytes.size(), (std::wstring(L"E:\\Games\\X\\bin;%installdir%").size() + 1) * 2);  // with its NUL
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key_, L"CUT"), L"E:\\Games\\X");
  // Names and texts in the ANSI code page (936) arrive as the same characters.
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key_ + L"\\\u6e38\u620f", L"\u540d\u5b57"),
            L"\u76ee\u5f55=E:\\Games\\X\\\u5b58\u6863");
}

TEST_F(ApplyPkgRegFileTest, AFileThatDoesNotLoadOrSplitIsNotAppliedAtAll) {
  const std::wstring good = File(L"good.nfd", {AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\V", "x")});
  // One bit of the checksum changed.
  std::string bytes = vtest::ReadBytes(good);
  bytes.back() ^= 1;
  ASSERT_TRUE(vtest::WriteBytes(dir_ + L"\\crc.nfd", bytes));
  EXPECT_FALSE(ApplyPkgRegFile(dir_ + L"\\crc.nfd", L"C:\\G"));
  EXPECT_FALSE(ApplyPkgRegFile(dir_ + L"\\missing.nfd", L"C:\\G"));
  ASSERT_TRUE(vtest::WriteBytes(dir_ + L"\\empty.nfd", ""));
  EXPECT_FALSE(ApplyPkgRegFile(dir_ + L"\\empty.nfd", L"C:\\G"));
  // The first entry is fine, the second has no value name.
  const std::wstring split =
      File(L"split.nfd", {AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\V", "x"), AnsiEntry(0, 1, L"HKLM\\Nothing", "x")});
  EXPECT_FALSE(ApplyPkgRegFile(split, L"C:\\G"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key_));
}

TEST(PkgRegFileLoad, ReadsWholeFilesAndRefusesBadOnes) {
  const std::wstring dir = vtest::TestFolderFor();
  vtest::RemoveTree(dir);
  ASSERT_TRUE(vtest::MakeDirectories(dir));
  CPkgRegFile file;
  EXPECT_FALSE(file.Load(dir + L"\\missing.nfd"));
  EXPECT_FALSE(file.Load(dir));  // a folder
  ASSERT_TRUE(vtest::WriteBytes(dir + L"\\four.nfd", std::string(4, '\0')));
  EXPECT_FALSE(file.Load(dir + L"\\four.nfd"));
  ASSERT_TRUE(vtest::WriteBytes(dir + L"\\min.psd", std::string("\0\0\0\0\x21\x44\xDF\x1C", 8)));
  EXPECT_TRUE(file.Load(dir + L"\\min.psd"));
  EXPECT_TRUE(file.Entries().empty());
  EXPECT_EQ(file.Checksum(), 0x2144DF1Cu);

  std::vector<CPkgRegEntry> many;
  for (int i = 0; i < 5000; ++i) many.push_back(AnsiEntry(0, 1, L"HKLM\\Software\\A\\V" + std::to_wstring(i), "data"));
  WritePkgRegFile(dir + L"\\many.nfd", many);
  ASSERT_TRUE(file.Load(dir + L"\\many.nfd"));
  ASSERT_EQ(file.Entries().size(), 5000u);
  const std::string last = "HKLM\\Software\\A\\V4999";
  EXPECT_EQ(file.Entries()[4999].Name(), Bytes(last.begin(), last.end()));
  vtest::RemoveTree(dir);
}
