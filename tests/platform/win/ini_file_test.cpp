// Reading the option file from its copy: sections are read once and values
// looked up in memory. Every lookup must give what the system's own calls
// give on the same file, whatever the file holds.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/ini_file.h"
#include "vtest/files.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

class IniFileCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(dir_);
    ASSERT_TRUE(MakeDirectories(dir_));
  }

  // The file as the system reads it: every lookup through the copy against
  // the system's calls on the copy itself.
  void ExpectSameAsSystem(const std::string& bytes, const std::vector<std::wstring>& sections,
                          const std::vector<std::wstring>& keys) {
    ASSERT_TRUE(WriteBytes(file_, bytes));
    OS::IniFile ini(file_);
    ASSERT_TRUE(ini.ReadFromCopy(copy_));
    for (const std::wstring& section : sections) {
      for (const std::wstring& key : keys) {
        const std::string where = ToUtf8(L"[" + section + L"] " + key);
        for (unsigned maxChars : {1023u, 4u}) {
          std::vector<wchar_t> buffer(maxChars + 1);
          const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                     maxChars + 1, copy_.c_str());
          EXPECT_EQ(ToUtf8(ini.ReadString(section, key, maxChars)), ToUtf8(std::wstring(buffer.data(), n)))
              << where << " at most " << maxChars;
        }
        EXPECT_EQ(ini.ReadInt(section, key, -7),
                  static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), -7, copy_.c_str())))
            << where;
      }
    }
  }

  std::wstring dir_ = TestFolderFor();
  std::wstring file_ = dir_ + L"\\VorlanCfg.ini";
  std::wstring copy_ = dir_ + L"\\copy.ini";
};

TEST_F(IniFileCopy, LookupsGiveWhatTheSystemGives) {
  const std::string tricky =
      "Before=outside any section\r\n"
      "[Main]\r\n"
      "IsShow=1\r\n"
      "  Spaced   =   value with  spaces   \r\n"
      "\tTabbed\t=\t7\t\r\n"
      "Quoted=\"a b\"\r\nSingle='x'\r\nHalf=\"abc\r\nLone=\"\r\n"
      "Empty=\r\nBare\r\nEq=a=b\r\n"
      "N1=12\r\nN2=-3\r\nN3=0x10\r\nN4=007\r\nN5=12abc\r\nN6=99999999999\r\nN7=+5\r\n"
      "Dup=first\r\ndup=second\r\n"
      "Long=" + std::string(1500, 'x') + "\r\n"
      ";Comment=5\r\n"
      "[ Padded ]\r\nIsShow=2\r\n"
      "[main]\r\nIsShow=3\r\nOnlyHere=4\r\n"
      "[Empty section]\r\n"
      "[Unclosed\r\nIsShow=5\r\n"
      "[Control]\nExclude=Map,Display\nIsShow=6\n";
  ExpectSameAsSystem(tricky, {L"Main", L"MAIN", L" main ", L"Padded", L" Padded ", L"Empty section", L"Unclosed", L"Control", L"Missing", L""},
                     {L"IsShow", L"Before", L"Spaced", L"Tabbed", L"Quoted", L"Single", L"Half", L"Lone", L"Empty", L"Bare", L"Eq",
                      L"N1", L"N2", L"N3", L"N4", L"N5", L"N6", L"N7", L"Dup", L"Long", L";Comment", L"Comment", L"OnlyHere",
                      L"Exclude", L"Missing"});
}

TEST_F(IniFileCopy, ASectionTooLongToListIsReadKeyByKey) {
  std::string big = "[Main]\r\nIsShow=1\r\n[Big]\r\n";
  for (int i = 0; i < 2000; ++i) big += "Key" + std::to_string(i) + "=value number " + std::to_string(i) + "\r\n";
  ExpectSameAsSystem(big, {L"Big", L"Main"}, {L"Key0", L"Key1999", L"IsShow", L"Missing"});
}

TEST_F(IniFileCopy, ChineseTextInTheAnsiCodePageAndInUtf16) {
  const std::wstring text = L"[游戏]\r\n路径=C:\\游戏\\魔兽\r\nPath=D:\\网游\\传奇\r\n[Main]\r\n名=1\r\nIsShow=1\r\n";
  const std::vector<std::wstring> sections = {L"游戏", L"Main"};
  const std::vector<std::wstring> keys = {L"路径", L"Path", L"名", L"IsShow"};
  ExpectSameAsSystem(ToAnsi(text), sections, keys);
  std::string utf16 = "\xFF\xFE";
  utf16.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  ExpectSameAsSystem(utf16, sections, keys);
}

TEST_F(IniFileCopy, ValuesAreKeptUntilTheProgramWritesAndThenReadAgain) {
  ASSERT_TRUE(WriteBytes(file_, "[Main]\r\nIsShow=1\r\nName=old\r\n"));
  OS::IniFile ini(file_);
  ASSERT_TRUE(ini.ReadFromCopy(copy_));
  EXPECT_EQ(ini.ReadInt(L"Main", L"IsShow"), 1);
  // Nobody else writes the copy: a change behind the program's back is not seen ...
  ASSERT_TRUE(WriteBytes(copy_, "[Main]\r\nIsShow=2\r\nName=changed\r\n"));
  EXPECT_EQ(ini.ReadInt(L"Main", L"IsShow"), 1);
  EXPECT_EQ(ini.ReadString(L"Main", L"Name"), L"old");
  // ... while the program's own writes are, with everything else in the copy.
  ASSERT_TRUE(ini.WriteInt(L"Main", L"IsInitComponent", 1));
  EXPECT_EQ(ini.ReadInt(L"Main", L"IsInitComponent"), 1);
  EXPECT_EQ(ini.ReadInt(L"Main", L"IsShow"), 2);
  EXPECT_EQ(ini.ReadString(L"Main", L"Name"), L"changed");
  EXPECT_EQ(::GetPrivateProfileIntW(L"Main", L"IsInitComponent", 0, file_.c_str()), 1u);
}

}  // namespace
