// Step "ImportReg" driven with a step context of the test's own: registry
// files of both editor formats and package registry files, read back from
// the registry of the test prefix.

#include <windows.h>

#include <gtest/gtest.h>

#include "pkg_reg_win_support.h"
#include "steps/registry/win/registry_steps.h"
#include "vtest/test_paths.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/registry.h"

using namespace vtest;
using pkgreg_test::Bytes;
using pkgreg_test::ReadRawValue;
using vorlan::steps::RunImportReg;

namespace {

// UTF-16LE with its mark, as the registry editor writes version-5 files.
std::string Version5(std::wstring_view text) {
  std::string out = "\xFF\xFE";
  for (const wchar_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return out;
}

class ImportRegStep : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  void Clean() {
    DeleteTree(HKEY_CURRENT_USER, key_);
    DeleteTree(HKEY_LOCAL_MACHINE, key_);
  }
  // [ImportReg] with one entry per file value.
  void WriteEntries(const std::vector<std::wstring>& files, const std::wstring& extra = L"") {
    std::wstring text = L"[ImportReg]\r\nNum=" + std::to_wstring(files.size()) + L"\r\n";
    for (std::size_t i = 0; i < files.size(); ++i)
      text += L"[ImportReg" + std::to_wstring(i) + L"]\r\nFile=" + files[i] + L"\r\n" + extra;
    game_.WriteOptionFile(text);
  }
  void WriteRegFile(const std::wstring& name, const std::string& bytes) {
    ASSERT_TRUE(WriteBytes(game_.File(name), bytes));
  }

  GameFolder game_;
  const std::wstring key_ = L"Software\\VorlanTests\\ImportReg\\" + CurrentTestName();
  const std::wstring hkcu_ = L"HKEY_CURRENT_USER\\" + key_;
};

TEST_F(ImportRegStep, EveryValueKindOfAVersion5FileIsWrittenWithTheGameFolderInPlaceOfTheMacro) {
  // The program directory is another folder than the executable's, as after "Map".
  const std::wstring mapped = game_.File(L"mapped");
  game_.MakeDir(L"mapped\\reg");
  WriteRegFile(L"mapped\\reg\\game.reg",
               Version5(L"Windows Registry Editor Version 5.00\r\n\r\n; the game\r\n[" + hkcu_ +
                        L"\\A]\r\n@=\"default\"\r\n\"Path\"=\"%InstallDir%\\\\bin\"\r\n\"Quote\"=\"a\\\"b\"\r\n"
                        L"\"Count\"=dword:0000002a\r\n\"Blob\"=hex:01,02,\\\r\n  03\r\n"
                        L"\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
                        L"\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n\"Empty\"=hex:\r\n\r\n[" + hkcu_ + L"\\B\\C]\r\n"));
  WriteEntries({L"reg\\game.reg"});
  RecordingStepContext context(game_, mapped);
  RunImportReg(context);

  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Import Reg " + mapped + L"\\reg\\game.reg, Success"});
  const std::wstring a = key_ + L"\\A";
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, a, L""), L"default");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, a, L"Path"), mapped + L"\\bin");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, a, L"Quote"), L"a\"b");
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, a, L"Count"), 42u);
  const struct {
    const wchar_t* name;
    DWORD type;
    Bytes bytes;
  } raw[] = {
      {L"Blob", REG_BINARY, {1, 2, 3}},
      {L"Expand", REG_EXPAND_SZ, {0x25, 0, 0x41, 0, 0x25, 0, 0, 0}},
      {L"Multi", REG_MULTI_SZ, {0x61, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}},
      {L"Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
      {L"Empty", REG_BINARY, {}},
  };
  for (const auto& r : raw) {
    const auto value = ReadRawValue(HKEY_CURRENT_USER, a, r.name);
    ASSERT_TRUE(value) << r.name;
    EXPECT_EQ(value->type, r.type);
    EXPECT_EQ(value->bytes, r.bytes);
  }
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key_ + L"\\B\\C"));
}

TEST_F(ImportRegStep, ARegedit4FileIsReadInTheAnsiCodePage) {
  WriteRegFile(L"old.reg", ToAnsi(L"REGEDIT4\r\n\r\n[" + hkcu_ + L"]\r\n\"Name\"=\"游戏\"\r\n"
                                  L"\"Text\"=hex(2):25,49,6e,73,74,61,6c,6c,44,69,72,25,00\r\n"));
  WriteEntries({L"old.reg"});
  RecordingStepContext context(game_);
  RunImportReg(context);

  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Import Reg " + game_.File(L"old.reg") + L", Success"});
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"Name"), L"游戏");
  const auto text = ReadRawValue(HKEY_CURRENT_USER, key_, L"Text");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type, REG_EXPAND_SZ);
  Bytes expected;
  for (const wchar_t c : game_.Path() + std::wstring(1, L'\0'))
    expected.insert(expected.end(), {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>(c >> 8)});
  EXPECT_EQ(text->bytes, expected);
}

TEST_F(ImportRegStep, KeysAndValuesAreDeletedAndMissingOnesCountAsDeleted) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, key_ + L"\\Old\\Deep\\Deeper", L"v", L"x"));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, key_ + L"\\Keep", L"gone", L"x"));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, key_ + L"\\Keep", L"stays", L"y"));
  WriteRegFile(L"del.reg", Version5(L"Windows Registry Editor Version 5.00\r\n[-" + hkcu_ + L"\\Old]\r\n[-" + hkcu_ +
                                    L"\\NeverWas]\r\n[" + hkcu_ + L"\\Keep]\r\n\"gone\"=-\r\n\"never\"=-\r\n"));
  WriteEntries({L"del.reg"});
  RecordingStepContext context(game_);
  RunImportReg(context);

  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Import Reg " + game_.File(L"del.reg") + L", Success"});
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_ + L"\\Old"));
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, key_ + L"\\Keep", L"gone"));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_ + L"\\Keep", L"stays"), L"y");
}

TEST_F(ImportRegStep, AFailingEntryIsReportedWithItsReasonAndTheNextGoesOn) {
  WriteRegFile(L"good.reg", Version5(L"Windows Registry Editor Version 5.00\r\n[" + hkcu_ + L"]\r\n\"Good\"=\"1\"\r\n"));
  // Line 4 is bad: nothing of the file is written, its line 3 neither.
  WriteRegFile(L"bad.reg", Version5(L"Windows Registry Editor Version 5.00\r\n[" + hkcu_ +
                                    L"]\r\n\"Before\"=\"1\"\r\n\"Bad\"=dword:123456789\r\n"));
  WriteRegFile(L"root.reg", Version5(L"Windows Registry Editor Version 5.00\r\n[HKEY_NOWHERE\\x]\r\n"));
  WriteRegFile(L"wide.reg", "\xFF\xFEW\x00i");  // an odd number of bytes
  // A value name of 300 characters is written whole like any other.
  const std::wstring longName(300, L'n');
  WriteRegFile(L"long.reg", Version5(L"Windows Registry Editor Version 5.00\r\n[" + hkcu_ + L"\\Long]\r\n\"" +
                                     longName + L"\"=\"" + std::wstring(300, L'v') + L"\"\r\n"));
  WriteEntries({L"missing.reg", L"bad.reg", L"", L"root.reg", L"wide.reg", L"long.reg", L"good.reg"});
  RecordingStepContext context(game_);
  RunImportReg(context);

  const std::wstring prefix = L"Import Reg " + game_.Path() + L"\\";
  const auto printed = context.Printed();
  ASSERT_EQ(printed.size(), 7u);
  EXPECT_EQ(printed[0], prefix + L"missing.reg, Failed: cannot read the file");
  EXPECT_EQ(printed[1], prefix + L"bad.reg, Failed: line 4: dword of more than 8 hex digits");
  EXPECT_EQ(printed[2], L"Import Reg , Failed: [ImportReg2] has no File");
  EXPECT_EQ(printed[3], prefix + L"root.reg, Failed: line 2: unknown root key");
  EXPECT_EQ(printed[4], prefix + L"wide.reg, Failed: line 1: bad header");
  EXPECT_EQ(printed[5], prefix + L"long.reg, Success");
  EXPECT_EQ(printed[6], prefix + L"good.reg, Success");
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, key_, L"Before"));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_ + L"\\Long", longName), std::wstring(300, L'v'));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"Good"), L"1");
}

TEST_F(ImportRegStep, AKeyThatCannotBeWrittenFailsTheFileButNotItsOtherKeys) {
  // A key name part of more than 255 characters is refused by the registry.
  const std::wstring tooLong(300, L'k');
  WriteRegFile(L"part.reg", Version5(L"Windows Registry Editor Version 5.00\r\n[" + hkcu_ + L"\\" + tooLong +
                                     L"]\r\n\"Lost\"=\"1\"\r\n[" + hkcu_ + L"]\r\n\"Kept\"=\"2\"\r\n"));
  WriteEntries({L"part.reg"});
  RecordingStepContext context(game_);
  RunImportReg(context);

  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Import Reg " + game_.File(L"part.reg") +
                                                         L", Failed: 2 of 4 operations failed, the first at line 2"});
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"Kept"), L"2");
}

TEST_F(ImportRegStep, PackageRegistryFilesAreAppliedWithTheProgramDirectoryAsInstallDirectory) {
  // A program directory with a trailing backslash: the value has one only.
  const std::wstring mapped = game_.File(L"mapped");
  game_.MakeDir(L"mapped\\reg");
  pkgreg_test::WritePkgRegFile(game_.File(L"mapped\\reg\\game.NFD"),
                               {pkgreg_test::AnsiEntry(0, 1, L"HKCU\\" + key_ + L"\\Pkg\\Dir", "%InstallDir%\\data")});
  WriteEntries({L"reg\\game.NFD"});
  RecordingStepContext context(game_, mapped + L"\\");
  RunImportReg(context);

  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Import Reg " + mapped + L"\\reg\\game.NFD, Success"});
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_ + L"\\Pkg", L"Dir"), mapped + L"\\data");
}

TEST_F(ImportRegStep, IsCloseRedirectionWritesThe64BitView) {
  WriteRegFile(L"v.reg", Version5(L"Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\" + key_ +
                                  L"]\r\n\"View\"=\"64\"\r\n"));
  WriteEntries({L"v.reg"}, L"IsCloseRedirection=1\r\n");
  RecordingStepContext context(game_);
  RunImportReg(context);

  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Import Reg " + game_.File(L"v.reg") + L", Success"});
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key_, L"View", RegView::Wow64), L"64");
  DeleteTree(HKEY_LOCAL_MACHINE, key_, RegView::Wow64);
}

}  // namespace
