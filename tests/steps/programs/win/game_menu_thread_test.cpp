// The game-menu thread's work with dates of the test's choosing (days to
// come, so that the real mark of today is not touched) and its pause seen
// rather than slept.

#include <windows.h>

#include <gtest/gtest.h>

#include "steps/programs/win/game_menu_thread.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;
using vorlan::CalendarDate;
using vorlan::steps::GameMenuSetup;
using vorlan::steps::RunGameMenu;

namespace {

struct MenuRun {
  GameMenuSetup setup;
  std::vector<DWORD> pauses;
};

std::wstring MarkKey(const CalendarDate& d) {
  return L"SOFTWARE\\tarpen\\" + std::to_wstring(d.year) + L"." + std::to_wstring(d.month) + L"." +
         std::to_wstring(d.day);
}

// The catalogue and the current directory are the game folder's.
void Prepare(MenuRun& run, const GameFolder& game, const CalendarDate& day) {
  run.setup.catalogueFile = game.File(L"VorlanComponent.ini");
  run.setup.currentDirectory = game.Path();
  run.setup.today = day;
  run.setup.sleep = [&run](DWORD ms) { run.pauses.push_back(ms); };
  DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
}

}  // namespace

TEST(GameMenu, StartsTheMenuOnceADayAndMarksOnlyAStart) {
  GameFolder game;
  const CalendarDate day{2102, 1, 1};
  MenuRun run;
  Prepare(run, game, day);

  // No menu program: nothing is marked and there is no pause, so the next
  // run of the preparer tries again.
  RunGameMenu(run.setup);
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, MarkKey(day), L"Tovik.exe").has_value());
  EXPECT_TRUE(run.pauses.empty());

  game.AddRecorder(L"Tovik.exe");
  RunGameMenu(run.setup);
  auto menu = game.WaitForRecorderRuns(L"Tovik.exe", 1);
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0].currentDir, game.Path());
  EXPECT_EQ(menu[0].showWindow, SW_HIDE);
  EXPECT_EQ(menu[0].args.size(), 1u);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, MarkKey(day), L"Tovik.exe"), 1u);
  EXPECT_EQ(run.pauses, std::vector<DWORD>{5000});

  // Same day: no start, no pause.
  RunGameMenu(run.setup);
  ::Sleep(300);
  EXPECT_EQ(game.RecorderRuns(L"Tovik.exe").size(), 1u);
  EXPECT_EQ(run.pauses.size(), 1u);

  // Only the value 1 counts as started.
  WriteDword(HKEY_CURRENT_USER, MarkKey(day), L"Tovik.exe", 2);
  RunGameMenu(run.setup);
  EXPECT_EQ(game.WaitForRecorderRuns(L"Tovik.exe", 2).size(), 2u);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, MarkKey(day), L"Tovik.exe"), 1u);
  DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
}

TEST(GameMenu, AlwaysRunStartsTheMenuEveryTimeWithoutAMark) {
  GameFolder game;
  const CalendarDate day{2102, 2, 1};
  MenuRun run;
  Prepare(run, game, day);
  game.AddRecorder(L"Tovik.exe");
  game.WriteText(L"VorlanComponent.ini", L"[Tovik]\r\nAlwaysRun=1\r\n");

  RunGameMenu(run.setup);
  RunGameMenu(run.setup);
  EXPECT_EQ(game.WaitForRecorderRuns(L"Tovik.exe", 2).size(), 2u);
  EXPECT_EQ(run.pauses, (std::vector<DWORD>{5000, 5000}));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, MarkKey(day)));

  // Other values than 1 mean once a day.
  game.WriteText(L"VorlanComponent.ini", L"[Tovik]\r\nAlwaysRun=2\r\n");
  RunGameMenu(run.setup);
  RunGameMenu(run.setup);
  EXPECT_EQ(game.WaitForRecorderRuns(L"Tovik.exe", 3).size(), 3u);
  ::Sleep(300);
  EXPECT_EQ(game.RecorderRuns(L"Tovik.exe").size(), 3u);
  EXPECT_EQ(run.pauses.size(), 3u);
  DeleteTree(HKEY_CURRENT_USER, MarkKey(day));
}

TEST(GameMenu, LoadsTheReportingLibraryFromTheCurrentDirectory) {
  GameFolder game;
  MenuRun run;
  Prepare(run, game, {2102, 3, 1});
  ASSERT_TRUE(::CopyFileW(NoExportDll().c_str(), game.File(L"SourceReportDll.dll").c_str(), FALSE));
  ASSERT_EQ(::GetModuleHandleW(L"SourceReportDll.dll"), nullptr);
  RunGameMenu(run.setup);
  HMODULE library = ::GetModuleHandleW(L"SourceReportDll.dll");
  ASSERT_NE(library, nullptr);
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(library, path, MAX_PATH);
  EXPECT_EQ(std::wstring(path), game.File(L"SourceReportDll.dll"));
  DeleteTree(HKEY_CURRENT_USER, MarkKey(run.setup.today));
}

TEST(GameMenu, WithoutACurrentDirectoryNoLibraryIsLoadedFromElsewhere) {
  GameFolder game;
  MenuRun run;
  Prepare(run, game, {2102, 4, 1});
  run.setup.currentDirectory.clear();
  ASSERT_TRUE(::CopyFileW(NoExportDll().c_str(), game.File(L"SourceReportDll.dll").c_str(), FALSE));
  ::SetCurrentDirectoryW(game.Path().c_str());
  RunGameMenu(run.setup);
  EXPECT_EQ(::GetModuleHandleW(L"SourceReportDll.dll"), nullptr);
  DeleteTree(HKEY_CURRENT_USER, MarkKey(run.setup.today));
}
