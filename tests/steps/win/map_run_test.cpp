// Step "Map" in the real launcher: wired to its handler, and the steps after
// it build their paths on the drive.

#include <gtest/gtest.h>
#include <windows.h>

#include "drive_letters.h"
#include "step_run.h"

using namespace vtest;

TEST(MapRun, TheStepsAfterMapBuildTheirPathsOnTheDrive) {
  const wchar_t letter = maptest::FreeLetter();
  const std::wstring drive = maptest::Drive(letter);
  GameFolder game;
  game.WriteText(L"data\\save.txt", L"save");
  const std::wstring dst = game.File(L"copied.txt");
  game.WriteOptionFile(
      L"[Main]\nIsShow=0\n[ProcessMgr]\nArgc=1\n[ProcessMgr_0]\nArgc=2\nArgument_0=Map\nArgument_1=Copy\n"
      L"[Map]\nDrive=" +
      drive +
      L"\n"
      L"[Copy]\nNum=1\n[Copy0]\nIsFile=1\nSrc=data\\save.txt\nDst=" +
      dst + L"\n");
  const LauncherRun run = steptest::RunLauncher(game);

  const auto map = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行磁盘映射",
                                       L"CVorlanDlg::ProcessManage.已执行磁盘映射 ");
  EXPECT_EQ(steptest::TextsAtLevel(map, 4),
            (std::vector<std::wstring>{
                L"MapOption: CVorlanDlg::ProcessMap. Map " + drive + L" -> " + game.Path() + L", Success",
                L"CVorlanDlg::PrintInfo: Map " + drive + L" -> " + game.Path() + L", Success"}))
      << Dump(run.log);
  EXPECT_TRUE(steptest::TextsAtLevel(map, 32).empty()) << Dump(run.log);
  // Files are not reachable through a letter Wine 8 defines: the copy itself
  // fails here, its path is what counts.
  const auto copy = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行复制文件",
                                        L"CVorlanDlg::ProcessManage.已执行复制文件 ");
  const std::wstring expected =
      L"CopyFileOption: CVorlanDlg::ProcessCopyFile. Copy File " + drive + L"\\data\\save.txt --> " + dst + L", ";
  ASSERT_FALSE(steptest::TextsAtLevel(copy, 4).empty()) << Dump(run.log);
  EXPECT_EQ(steptest::TextsAtLevel(copy, 4)[0].substr(0, expected.size()), expected) << Dump(run.log);
  EXPECT_EQ(maptest::Shows(letter), L"\\??\\" + game.Path());
  maptest::Unmap(letter);
}
