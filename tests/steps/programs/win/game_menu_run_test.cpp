// The game-menu program in real launcher runs: started beside the
// preparation, once a day. Today's mark is one for the whole prefix (these
// tests hold its lock).

#include <windows.h>

#include <gtest/gtest.h>

#include "launcher_options.h"
#include "vtest/game_folder.h"
#include "vtest/registry.h"

using namespace vtest;

TEST(GameMenuRun, TheMenuStartsOnTheFirstRunOfTheDayOnly) {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  const std::wstring mark = L"SOFTWARE\\tarpen\\" + std::to_wstring(now.wYear) + L"." + std::to_wstring(now.wMonth) +
                            L"." + std::to_wstring(now.wDay);
  DeleteValue(HKEY_CURRENT_USER, mark, L"Tovik.exe");

  GameFolder game;
  // A preparation that takes a while, as real ones do: the menu thread
  // works beside it and the process ends with it.
  game.AddRecorder(L"tools\\patch.exe", {.sleepMs = 1500});
  game.WriteOptionFile(Pipeline({L"PreLoad"}) +
                       L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=tools\\patch.exe\r\nWait=1\r\n");
  // The menu program is looked for from the launcher's current folder.
  RunOptions inGameFolder{.currentDir = game.Path()};

  // Not there: the attempt fails and leaves no mark.
  LauncherRun run = game.Run(L"NewVorlan 1001", inGameFolder);
  ASSERT_FALSE(run.timedOut) << Dump(run.log);
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, mark, L"Tovik.exe").has_value());

  game.AddRecorder(L"Tovik.exe");
  run = game.Run(L"NewVorlan 1001", inGameFolder);
  ASSERT_FALSE(run.timedOut) << Dump(run.log);
  auto menu = game.WaitForRecorderRuns(L"Tovik.exe", 1);
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0].currentDir, game.Path());
  EXPECT_EQ(menu[0].showWindow, SW_HIDE);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, mark, L"Tovik.exe"), 1u);

  run = game.Run(L"NewVorlan 1001", inGameFolder);
  ASSERT_FALSE(run.timedOut) << Dump(run.log);
  ::Sleep(500);
  EXPECT_EQ(game.RecorderRuns(L"Tovik.exe").size(), 1u);
  DeleteValue(HKEY_CURRENT_USER, mark, L"Tovik.exe");
}

// A preparation with nothing to do ends at once: the process must not end
// while the menu program is being started, or the program is left
// half-made, neither running nor gone, and the day is not marked.
TEST(GameMenuRun, AQuickPreparationEndsOnlyAfterTheMenuProgramHasStarted) {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  const std::wstring mark = L"SOFTWARE\\tarpen\\" + std::to_wstring(now.wYear) + L"." + std::to_wstring(now.wMonth) +
                            L"." + std::to_wstring(now.wDay);
  GameFolder game;
  game.AddRecorder(L"Tovik.exe");
  game.WriteOptionFile(Pipeline({L"Compatible"}));
  RunOptions inGameFolder{.currentDir = game.Path()};
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    DeleteValue(HKEY_CURRENT_USER, mark, L"Tovik.exe");
    LauncherRun run = game.Run(L"NewVorlan 1001", inGameFolder);
    ASSERT_FALSE(run.timedOut) << Dump(run.log);
    EXPECT_EQ(game.WaitForRecorderRuns(L"Tovik.exe", round + 1, 20000).size(), static_cast<std::size_t>(round + 1));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, mark, L"Tovik.exe"), 1u);
  }
  DeleteValue(HKEY_CURRENT_USER, mark, L"Tovik.exe");
}
