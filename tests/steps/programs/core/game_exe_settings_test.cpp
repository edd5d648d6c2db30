#include "steps/programs/core/game_exe_settings.h"

#include <gtest/gtest.h>

#include "steps/programs/core/launch_mode.h"

using namespace vorlan;

TEST(GameExeSettings, SixtyFourBitKeysOnlyWithRedirectionOffOnA64BitWindows) {
  GameExeKeys keys = ChooseGameExeKeys(1, true);
  EXPECT_EQ(keys.program, L"GameExe64");
  EXPECT_EQ(keys.directory, L"BeforeExePath64");
  EXPECT_EQ(keys.arguments, L"Param64");
  for (auto [redirection, is64] : {std::pair{1, false}, {0, true}, {2, true}, {0, false}}) {
    keys = ChooseGameExeKeys(redirection, is64);
    EXPECT_EQ(keys.program, L"GameExe") << redirection << is64;
    EXPECT_EQ(keys.directory, L"BeforeExePath");
    EXPECT_EQ(keys.arguments, L"Param");
  }
}

TEST(GameExeSettings, FullPathAndWorkingDirectory) {
  GameExeSettings withFolder{L"game.exe", L"bin", L"-a"};
  EXPECT_EQ(FullGamePath(L"X:", withFolder), L"X:\\bin\\game.exe");
  EXPECT_EQ(GameWorkingDirectory(L"X:", withFolder), L"X:\\bin");
  GameExeSettings plain{L"\\game.exe", L"", L""};
  EXPECT_EQ(FullGamePath(L"C:\\Games\\Demo", plain), L"C:\\Games\\Demo\\game.exe");
  EXPECT_EQ(GameWorkingDirectory(L"C:\\Games\\Demo", plain), L"C:\\Games\\Demo");
  // An absolute value still goes behind the program directory.
  EXPECT_EQ(FullGamePath(L"X:", {L"D:\\game.exe", L"", L""}), L"X:\\D:\\game.exe");
}

TEST(LaunchMode, RunOptionValues) {
  EXPECT_EQ(LaunchModeFor(1), LaunchMode::ShellOpen);
  EXPECT_EQ(LaunchModeFor(2), LaunchMode::CommandRunner);
  EXPECT_EQ(LaunchModeFor(3), LaunchMode::OpenDocument);
  for (int other : {0, -1, 4, 100}) EXPECT_EQ(LaunchModeFor(other), LaunchMode::CreateProcess) << other;
}
