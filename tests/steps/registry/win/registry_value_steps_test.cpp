// Steps "keys" and "GamePath" driven with a step context of the test's own,
// their values read back from the registry of the test prefix.

#include <windows.h>

#include <gtest/gtest.h>

#include "pkg_reg_win_support.h"
#include "steps/registry/win/registry_steps.h"
#include "vtest/test_paths.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/registry.h"

using namespace vtest;
using pkgreg_test::Bytes;
using pkgreg_test::ReadRawValue;
using vorlan::steps::RunGamePath;
using vorlan::steps::RunKeys;

namespace {

class RegistryValueSteps : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  void Clean() {
    DeleteTree(HKEY_CURRENT_USER, key_);
    DeleteTree(HKEY_LOCAL_MACHINE, key_);
    DeleteTree(HKEY_LOCAL_MACHINE, key_, RegView::Wow64);
  }
  // "[<base>]" with Num and the entries' bodies.
  void WriteSections(const std::wstring& base, const std::vector<std::wstring>& entries) {
    std::wstring text = L"[" + base + L"]\r\nNum=" + std::to_wstring(entries.size()) + L"\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
      text += L"[" + base + std::to_wstring(i) + L"]\r\n" + entries[i];
    game_.WriteOptionFile(text);
  }

  GameFolder game_;
  const std::wstring key_ = L"Software\\VorlanTests\\ValueSteps\\" + CurrentTestName();
  const std::wstring hkcu_ = L"HKEY_CURRENT_USER\\" + key_;
};

TEST_F(RegistryValueSteps, KeysWritesEachTypeAndReportsWithoutTheData) {
  WriteSections(L"keys", {L"Key=" + hkcu_ + L"\r\nName=CDKey\r\nData=ABCD-1234\r\n",
                          L"Key=HKCU\\" + key_ + L"\r\nName=Count\r\nType=dword\r\nData=0x2A\r\n",
                          L"Key=" + hkcu_ + L"\r\nName=Blob\r\nType=binary\r\nData=01,ff,10\r\n",
                          L"Key=" + hkcu_ + L"\\Sub\r\nType=expand\r\nData=%WINDIR%\\x\r\n"});
  RecordingStepContext context(game_);
  RunKeys(context);

  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{
                                   L"Write Key " + hkcu_ + L"\\CDKey, Success",
                                   L"Write Key HKCU\\" + key_ + L"\\Count, Success",
                                   L"Write Key " + hkcu_ + L"\\Blob, Success",
                                   L"Write Key " + hkcu_ + L"\\Sub\\, Success",
                               }));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"CDKey"), L"ABCD-1234");
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, key_, L"Count"), 42u);
  const auto blob = ReadRawValue(HKEY_CURRENT_USER, key_, L"Blob");
  ASSERT_TRUE(blob);
  EXPECT_EQ(blob->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(blob->bytes, (Bytes{0x01, 0xFF, 0x10}));
  const auto expand = ReadRawValue(HKEY_CURRENT_USER, key_ + L"\\Sub", L"");
  ASSERT_TRUE(expand);
  EXPECT_EQ(expand->type, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(RegistryValueSteps, KeysBadEntriesAreReportedAndWriteNothingWhileTheNextGoesOn) {
  WriteSections(L"keys", {L"Key=HKEY_NOWHERE\\x\r\nName=a\r\nData=1\r\n",
                          L"Key=" + hkcu_ + L"\r\nName=Bad\r\nType=dword\r\nData=12x\r\n",
                          L"Key=" + hkcu_ + L"\r\nName=Odd\r\nType=qword\r\nData=1\r\n",
                          L"Key=" + hkcu_ + L"\\" + std::wstring(300, L'k') + L"\r\nName=Deep\r\nData=1\r\n",
                          L"Key=" + hkcu_ + L"\r\nName=" + std::wstring(300, L'n') + L"\r\nData=" +
                              std::wstring(300, L'v') + L"\r\n",
                          L"Key=" + hkcu_ + L"\r\nName=Good\r\nData=g\r\n"});
  RecordingStepContext context(game_);
  RunKeys(context);

  const auto printed = context.Printed();
  EXPECT_EQ(printed, (std::vector<std::wstring>{
                         L"Write Key HKEY_NOWHERE\\x\\a, Failed: bad key (a root and a path below it)",
                         L"Write Key " + hkcu_ + L"\\Bad, Failed: bad dword",
                         L"Write Key " + hkcu_ + L"\\Odd, Failed: unknown type",
                         L"Write Key " + hkcu_ + L"\\" + std::wstring(300, L'k') +
                             L"\\Deep, Failed: cannot write the value",
                         L"Write Key " + hkcu_ + L"\\" + std::wstring(300, L'n') + L", Success",
                         L"Write Key " + hkcu_ + L"\\Good, Success",
                     }));
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, key_, L"Bad"));
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, key_, L"Odd"));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, std::wstring(300, L'n')), std::wstring(300, L'v'));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"Good"), L"g");
}

TEST_F(RegistryValueSteps, GamePathWritesTheProgramDirectoryJoinedAndEndedAsAsked) {
  WriteSections(L"GamePath", {L"Key=" + hkcu_ + L"\r\nName=InstallPath\r\n",
                              L"Key=" + hkcu_ + L"\r\nName=Bin\r\nSubPath=\\bin\\\r\nTrailingBackslash=1\r\n",
                              L"Key=" + hkcu_ + L"\\Default\r\n"});
  RecordingStepContext context(game_, L"X:");  // the mapped drive
  RunGamePath(context);

  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{
                                   L"Set Game Path " + hkcu_ + L"\\InstallPath = X:, Success",
                                   L"Set Game Path " + hkcu_ + L"\\Bin = X:\\bin\\, Success",
                                   L"Set Game Path " + hkcu_ + L"\\Default\\ = X:, Success",
                               }));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"InstallPath"), L"X:");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"Bin"), L"X:\\bin\\");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_ + L"\\Default", L""), L"X:");
}

TEST_F(RegistryValueSteps, GamePathInTheFolderAndThe64BitViewOnRequest) {
  WriteSections(L"GamePath", {L"Key=HKLM\\" + key_ + L"\r\nName=Path\r\nIsCloseRedirection=1\r\n"});
  RecordingStepContext context(game_);
  RunGamePath(context);

  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Set Game Path HKLM\\" + key_ + L"\\Path = " +
                                                         game_.Path() + L", Success"});
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, key_, L"Path", RegView::Wow64), game_.Path());
}

}  // namespace
