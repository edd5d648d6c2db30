// Step "OpenUrl" in real launcher runs, with the recorder as the handler of
// the address scheme "vorlantest:" and as Internet Explorer.

#include <windows.h>

#include <gtest/gtest.h>

#include "launcher_options.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/shell_stand_ins.h"

using namespace vtest;

namespace {

const std::wstring kDefaultBrowser = L"CVorlanDlg::ProcessOpenUrl. Default Browser.";

// A token of the test's own in every address, to find its records.
std::wstring TokenOf(const GameFolder& game) {
  return UniqueToken() + game.Path().substr(game.Path().rfind(L'\\') + 1);
}

LauncherRun RunOpenUrl(const GameFolder& game, std::wstring_view section) {
  InstallShellStandIns();
  game.WriteOptionFile(Pipeline({L"OpenUrl"}) + std::wstring(section));
  LauncherRun run = game.Run();
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.timedOut) << Dump(run.log);
  EXPECT_EQ(run.exitCode, 0u);
  // Nothing asks anyone anything (the shell's and the game menu's attempts included).
  EXPECT_TRUE(run.messageBoxes.empty());
  return run;
}

std::vector<std::wstring> LastArgs(const std::vector<RecorderRun>& runs) {
  std::vector<std::wstring> out;
  for (const auto& r : runs) out.push_back(r.args.empty() ? L"" : r.args.back());
  return out;
}

}  // namespace

TEST(OpenUrlRun, EveryAddressOpensWithItsHandlerEvenWithBlanksAndQuotes) {
  GameFolder game;
  const std::wstring token = TokenOf(game);
  const std::wstring section = L"[OpenUrl]\r\nNum=3\r\n"
                              L"Url_0=vorlantest:" + token + L"/first\r\n"
                              L"Url_1=vorlantest:" + token + L"/with blank\r\n"
                              L"Url_2=vorlantest:" + token + L"/with\"quote\r\n";
  LauncherRun run = RunOpenUrl(game, section);
  auto opened = WaitForShellHandlerRuns(token + L"/", 3);
  ASSERT_EQ(opened.size(), 3u);
  // The handlers run side by side: their records come in any order.
  EXPECT_EQ(LastArgs(RunsMentioning(opened, token + L"/first")),
            std::vector<std::wstring>{L"vorlantest:" + token + L"/first"});
  EXPECT_EQ(LastArgs(RunsMentioning(opened, token + L"/with blank")),
            std::vector<std::wstring>{L"vorlantest:" + token + L"/with blank"});
  EXPECT_EQ(RunsMentioning(opened, L"vorlantest:" + token + L"/with\"quote\"").size(), 1u);
  for (const auto& r : opened) EXPECT_EQ(r.showWindow, SW_SHOWNORMAL);
  EXPECT_TRUE(RunsMentioning(InternetExplorerRuns(), token).empty());
  const int line = FindLine(run.log, kDefaultBrowser, 4);
  EXPECT_GE(line, 0) << Dump(run.log);
  EXPECT_EQ(FindLine(run.log, kDefaultBrowser, -1, line + 1), -1);
}

TEST(OpenUrlRun, AnEmptyAddressEndsTheStep) {
  GameFolder first({.suffix = L"-first"});
  const std::wstring firstToken = TokenOf(first);
  LauncherRun run = RunOpenUrl(first, L"[OpenUrl]\r\nNum=2\r\nUrl_0=\r\nUrl_1=vorlantest:" + firstToken + L"\r\n");
  EXPECT_GE(FindLine(run.log, L"CVorlanDlg::ProcessOpenUrl. URL_0 is NULL!", 8), 0) << Dump(run.log);
  EXPECT_EQ(FindLine(run.log, kDefaultBrowser), -1);

  // Far more entries announced than present: the first missing one ends it.
  GameFolder later({.suffix = L"-later"});
  const std::wstring laterToken = TokenOf(later);
  run = RunOpenUrl(later, L"[OpenUrl]\r\nNum=2147483647\r\nUrl_0=vorlantest:" + laterToken + L"\r\n");
  EXPECT_GE(FindLine(run.log, L"CVorlanDlg::ProcessOpenUrl. URL_1 is NULL!", 8), 0) << Dump(run.log);
  EXPECT_EQ(FindLine(run.log, kDefaultBrowser), -1);

  EXPECT_EQ(WaitForShellHandlerRuns(laterToken, 1).size(), 1u);
  EXPECT_TRUE(RunsMentioning(ShellHandlerRuns(), firstToken).empty());
}

TEST(OpenUrlRun, AnAddressNoHandlerOpensGoesToInternetExplorerAndEndsTheStep) {
  GameFolder game;
  const std::wstring token = TokenOf(game);
  const std::wstring section = L"[OpenUrl]\r\nNum=3\r\n"
                              L"Url_0=vorlantest:" + token + L"/a\r\n"
                              L"Url_1=novorlanscheme:" + token + L"/b c\r\n"
                              L"Url_2=vorlantest:" + token + L"/c\r\n";
  LauncherRun run = RunOpenUrl(game, section);
  auto explorer = WaitForInternetExplorerRuns(token + L"/", 1);
  ASSERT_EQ(explorer.size(), 1u);
  // The address goes as it is, after the program.
  EXPECT_NE(explorer[0].commandLine.find(L" novorlanscheme:" + token + L"/b c"), std::wstring::npos);
  EXPECT_EQ(explorer[0].showWindow, SW_SHOWNORMAL);
  WaitForShellHandlerRuns(token + L"/", 1);
  ::Sleep(300);
  EXPECT_EQ(LastArgs(RunsMentioning(ShellHandlerRuns(), token + L"/")),
            std::vector<std::wstring>{L"vorlantest:" + token + L"/a"});

  const int line = FindLineStarting(run.log, L"CVorlanDlg::ProcessOpenUrl.Num为: 1 iexplore: ");
  ASSERT_GE(line, 0) << Dump(run.log);
  EXPECT_EQ(run.log[line].level, 4);
  EXPECT_GT(std::stoi(run.log[line].text.substr(run.log[line].text.rfind(L' ') + 1)), 32);
  EXPECT_EQ(FindLine(run.log, kDefaultBrowser), -1);
}

TEST(OpenUrlRun, WithoutNumNothingOpens) {
  GameFolder game;
  const std::wstring token = TokenOf(game);
  LauncherRun run = RunOpenUrl(game, L"[OpenUrl]\r\nUrl_0=vorlantest:" + token + L"\r\n");
  EXPECT_GE(FindLine(run.log, kDefaultBrowser, 4), 0) << Dump(run.log);
  ::Sleep(300);
  EXPECT_TRUE(RunsMentioning(ShellHandlerRuns(), token).empty());
}
