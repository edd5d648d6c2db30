// The example game folders check clean, each one.

#include <gtest/gtest.h>

#include "check/core/check_command.h"
#include "check/core/disk_folder.h"
#include "check/core/finding.h"
#include "check/core/option_rules.h"

namespace vorlan::check {
namespace {

TEST(Examples, EveryExampleGameFolderChecksClean) {
  const std::vector<std::filesystem::path> games = FindGameFolders(EXAMPLE_GAMES_DIR);
  ASSERT_EQ(games.size(), 5u);
  for (const std::filesystem::path& game : games) {
    std::wstring text;
    for (const Finding& f : CheckGameFolder(DiskFolder(game))) text += FormatFinding(f) + L"\n";
    EXPECT_TRUE(text.empty()) << game << "\n" << std::string(text.begin(), text.end());
  }
}

// The command on a tree: one summary line, exit code by the worst finding;
// a folder without any option file is a finding of its own.
TEST(CheckCommand, TreeSummaryAndFolderWithoutOptionFiles) {
  std::vector<std::wstring> lines;
  const auto open = [](const std::filesystem::path& folder) { return std::make_unique<DiskFolder>(folder); };
  const std::vector<std::wstring> tree{std::filesystem::path(EXAMPLE_GAMES_DIR).wstring()};
  EXPECT_EQ(RunCheckCommand(tree, open, [&](const std::wstring& l) { lines.push_back(l); }), 0);
  EXPECT_EQ(lines, std::vector<std::wstring>{L"checked 5 game folders: 0 errors, 0 warnings"});

  lines.clear();
  const std::filesystem::path empty = std::filesystem::path(EXAMPLE_GAMES_DIR) / "star-realm" / "save";
  const std::vector<std::wstring> noOptions{empty.wstring()};
  EXPECT_EQ(RunCheckCommand(noOptions, open, [&](const std::wstring& l) { lines.push_back(l); }), 2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(L": error: no VorlanCfg.ini in this folder or below"), std::wstring::npos);
  EXPECT_EQ(lines[1], L"checked 0 game folders: 1 error, 0 warnings");

  lines.clear();
  EXPECT_EQ(RunCheckCommand({}, open, [&](const std::wstring& l) { lines.push_back(l); }), 3);
}

}  // namespace
}  // namespace vorlan::check
