// Step "Map" in the real launcher: wired to its handler, and the steps after
// it build their paths on the drive.

#include <windows.h>

#include <gtest/gtest.h>

#include "drive_letters.h"
#include "step_run.h"

using namespace vtest;

TEST(MapRun, TheStepsAfterMapBuildTheirPathsOnTheDrive) {
  const wchar_t letter = maptest::FreeLetter();
  const std::wstring drive = maptest::Drive(letter);
  const maptest::UnmapAtEnd unmap{letter};
  GameFolder game;
  game.WriteText(L"data\\save.txt", L"save");
  const std::wstring dst = game.File(L"copied.txt");
  const std::wstring map = L"[Map]\nDrive=" + drive + L"\n";
  const std::wstring copy = L"[Copy]\nNum=1\n[Copy0]\nIsFile=1\nSrc=data\\save.txt\nDst=" + dst + L"\n";
  game.WriteOptionFile(L"[Main]\nIsShow=0\n[ProcessMgr]\nArgc=1\n"
                       L"[ProcessMgr_0]\nArgc=2\nArgument_0=Map\nArgument_1=Copy\n" + map + copy);
  const LauncherRun run = steptest::RunLauncher(game);

  const auto mapLines = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行磁盘映射",
                                            L"CVorlanDlg::ProcessManage.已执行磁盘映射 ");
  EXPECT_EQ(steptest::TextsAtLevel(mapLines, 4),
            (std::vector<std::wstring>{
                L"MapOption: CVorlanDlg::ProcessMap. Map " + drive + L" -> " + game.Path() + L", Success",
                L"CVorlanDlg::PrintInfo: Map " + drive + L" -> " + game.Path() + L", Success"}))
      << Dump(run.log);
  EXPECT_TRUE(steptest::TextsAtLevel(mapLines, 32).empty()) << Dump(run.log);
  // Files are not reachable through a letter Wine 8 defines: the copy itself
  // fails here, its path is what counts.
  const auto copyLines = steptest::StepLines(run, L"CVorlanDlg::ProcessManage.开始执行复制文件",
                                             L"CVorlanDlg::ProcessManage.已执行复制文件 ");
  const std::wstring counted = L"CopyFileOption: CVorlanDlg::ProcessCopyFile. " + drive + L"\\data\\save.txt --> " + dst + L": ";
  const std::wstring result =
      L"CopyFileOption: CVorlanDlg::ProcessCopyFile. Copy File " + drive + L"\\data\\save.txt --> " + dst + L", ";
  const auto copyTexts = steptest::TextsAtLevel(copyLines, 4);
  ASSERT_GE(copyTexts.size(), 2u) << Dump(run.log);
  EXPECT_EQ(copyTexts[0].substr(0, counted.size()), counted) << Dump(run.log);
  EXPECT_EQ(copyTexts[1].substr(0, result.size()), result) << Dump(run.log);
  EXPECT_EQ(maptest::Shows(letter), L"\\??\\" + game.Path());
}
