// Step "Compatible" driven with a step context of the test's own: the
// layers of each named executable, read back from the test prefix.

#include <windows.h>

#include <gtest/gtest.h>

#include "steps/registry/win/registry_steps.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/registry.h"

using namespace vtest;
using vorlan::steps::RunCompatible;

namespace {

const std::wstring kLayers = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

// What Windows of the prefix wants in front of the layers.
std::wstring Tilde() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ::GetVersionExW(&info);
  return info.dwMajorVersion > 6 || (info.dwMajorVersion == 6 && info.dwMinorVersion >= 2) ? L"~ " : L"";
}

class CompatibleStep : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::wstring& exe : {game_.File(L"game.exe"), game_.File(L"bin\\launcher.exe"), game_.File(L"other.exe")}) {
      DeleteValue(HKEY_CURRENT_USER, kLayers, exe);
      DeleteValue(HKEY_LOCAL_MACHINE, kLayers, exe);
      DeleteValue(HKEY_LOCAL_MACHINE, kLayers, exe, RegView::Wow64);
    }
  }
  void WriteEntries(const std::vector<std::wstring>& entries) {
    std::wstring text = L"[Compatible]\r\nNum=" + std::to_wstring(entries.size()) + L"\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
      text += L"[Compatible" + std::to_wstring(i) + L"]\r\n" + entries[i];
    game_.WriteOptionFile(text);
  }

  GameFolder game_;
};

TEST_F(CompatibleStep, LayersReplaceWhatTheEntryNamesAndLeaveOtherExecutablesAlone) {
  const std::wstring game = game_.File(L"game.exe");
  const std::wstring launcher = game_.File(L"bin\\launcher.exe");
  const std::wstring other = game_.File(L"other.exe");
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kLayers, game, L"WIN95"));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kLayers, other, L"WIN98"));
  WriteEntries({L"Exe=game.exe\r\nLayers=WINXPSP3  RUNASADMIN\r\n",
                L"Exe=\\bin\\launcher.exe\r\nLayers=~ WINXPSP3\r\nIsLocalMachine=1\r\n"});
  RecordingStepContext context(game_);
  RunCompatible(context);

  const std::wstring t = Tilde();
  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{
                                   L"Compatible HKCU " + game + L" = " + t + L"WINXPSP3 RUNASADMIN, Success",
                                   L"Compatible HKLM " + launcher + L" = " + t + L"WINXPSP3, Success"}));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kLayers, game), t + L"WINXPSP3 RUNASADMIN");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kLayers, launcher), t + L"WINXPSP3");
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kLayers, launcher));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kLayers, other), L"WIN98");
}

TEST_F(CompatibleStep, NoLayersRemovesTheValueAndAMissingExeIsReported) {
  const std::wstring game = game_.File(L"game.exe");
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kLayers, game, L"WIN95"));
  WriteEntries({L"Layers=WINXPSP3\r\n", L"Exe=game.exe\r\nLayers=\r\n", L"Exe=other.exe\r\n"});
  RecordingStepContext context(game_);
  RunCompatible(context);

  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{
                                   L"Compatible HKCU  = " + Tilde() + L"WINXPSP3, Failed: [Compatible0] has no Exe",
                                   L"Compatible HKCU " + game + L" = , Success",
                                   L"Compatible HKCU " + game_.File(L"other.exe") + L" = , Success"}));
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kLayers, game));
}

TEST_F(CompatibleStep, IsCloseRedirectionWritesThe64BitView) {
  WriteEntries({L"Exe=game.exe\r\nLayers=WINXPSP3\r\nIsLocalMachine=1\r\nIsCloseRedirection=1\r\n"});
  RecordingStepContext context(game_);
  RunCompatible(context);

  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kLayers, game_.File(L"game.exe"), RegView::Wow64), Tilde() + L"WINXPSP3");
}

}  // namespace
