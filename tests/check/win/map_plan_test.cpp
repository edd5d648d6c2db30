// The dry run of "Map": the letter and folder, what the letter shows now,
// and the paths of the later steps on the drive only when the mapping would
// succeed.

#include <gtest/gtest.h>

#include "check_run.h"
#include "vtest/game_folder.h"

namespace {

std::vector<std::wstring> PlanOf(const vtest::GameFolder& game, const std::wstring& drive) {
  const std::wstring map = L"[Map]\r\nDrive=" + drive + L"\r\nPath=data\r\n";
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=Map\r\nArgument_1=Copy\r\n" +
                       map + L"[Copy]\r\nNum=1\r\n[Copy0]\r\nSrc=save.txt\r\nDst=C:\\x\\save.txt\r\n");
  const checktest::CheckRun plan = checktest::RunCheck(game.Path(), L"--plan \"" + game.Path() + L"\"");
  EXPECT_EQ(plan.exitCode, 0u);
  std::vector<std::wstring> lines;
  bool inMap = false;
  for (const std::wstring& line : plan.lines) {
    if (line == L"later runs of the day (white list [Control] Exclude):") break;
    if (line == L"    step Map") inMap = true;
    if (inMap) lines.push_back(line);
  }
  return lines;
}

TEST(MapPlan, AFreeLetterMovesTheLaterPathsOntoTheDriveADiskDoesNot) {
  vtest::GameFolder game;
  game.MakeDir(L"data");
  wchar_t letter = L'M';
  wchar_t answer[512];
  while (letter > L'H' && ::QueryDosDeviceW((std::wstring(1, letter) + L":").c_str(), answer, 512)) --letter;
  const std::wstring drive = std::wstring(1, letter) + L":";

  EXPECT_EQ(PlanOf(game, drive), (std::vector<std::wstring>{
                                     L"    step Map",
                                     L"      Map " + drive + L" -> " + game.File(L"data"),
                                     L"      the steps after it build their paths on " + drive,
                                     L"    step Copy",
                                     L"      Copy File " + drive + L"\\save.txt --> C:\\x\\save.txt",
                                 }));
  vtest::GameFolder disk({.suffix = L".disk"});
  disk.MakeDir(L"data");
  EXPECT_EQ(PlanOf(disk, L"Z"), (std::vector<std::wstring>{
                                    L"    step Map",
                                    L"      Map Z: -> " + disk.File(L"data") + L", Failed: Z: is a drive of this PC",
                                    L"    step Copy",
                                    L"      Copy File " + disk.File(L"save.txt") + L" --> C:\\x\\save.txt",
                                }));
}

}  // namespace
