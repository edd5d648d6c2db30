// The dry run against a real run of the same game folder: the same steps in
// the same order, the same copy paths, the same command lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check_run.h"
#include "vtest/game_folder.h"
#include "vtest/log_lines.h"
#include "vtest/recorder_runs.h"

namespace {

// Plan lines that begin with `prefix` (after the indentation), prefix removed.
std::vector<std::wstring> PlanItems(const std::vector<std::wstring>& plan, const std::wstring& prefix) {
  std::vector<std::wstring> items;
  for (const std::wstring& line : plan) {
    const std::size_t text = line.find_first_not_of(L' ');
    if (text != std::wstring::npos && line.compare(text, prefix.size(), prefix) == 0)
      items.push_back(line.substr(text + prefix.size()));
  }
  return items;
}

TEST(DryRun, PlansTheStepsPathsAndCommandLinesThatTheLauncherThenUses) {
  vtest::GameFolder game;
  game.AddRecorder(L"game.exe");
  game.AddRecorder(L"tools\\pre.exe");
  game.MakeDir(L"save");
  game.WriteText(L"save\\slot.txt", L"slot");
  game.WriteOptionFile(
      L"[Main]\r\nGameExe=game.exe\r\nParam=-window -lang zh-CN\r\n"
      L"[ProcessMgr]\r\nArgc=2\r\n"
      L"[ProcessMgr_0]\r\nArgc=3\r\nArgument_0=Copy\r\nArgument_1=keys\r\nArgument_2=PreLoad\r\n"
      L"[ProcessMgr_1]\r\nArgc=1\r\nArgument_0=Main\r\n"
      L"[Copy]\r\nNum=2\r\n[Copy0]\r\nSrc=save\r\nDst=" + game.File(L"copied") + L"\r\n"
      L"[Copy1]\r\nSrc=save\r\nDst=$CSIDL_APPDATA$\\DryRunGame\r\n"
      L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=tools\\pre.exe\r\nParam=--check bin\r\nWait=1\r\n");

  const checktest::CheckRun plan = checktest::RunCheck(game.Path(), L"--plan \"" + game.Path() + L"\"");
  ASSERT_EQ(plan.exitCode, 0u);
  std::wstring planText;
  for (const auto& l : plan.lines) planText += l + L"\n";
  const std::string planDump(planText.begin(), planText.end());

  const vtest::LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut);

  // Steps of the full run, in order.
  std::vector<std::wstring> ranSteps;
  for (const vtest::LogLine& line : vtest::LinesStartingWith(run.log, L"CVorlanDlg::ChildProcessManage: 流程步骤:"))
    ranSteps.push_back(line.text.substr(std::wstring(L"CVorlanDlg::ChildProcessManage: 流程步骤:").size()));
  std::vector<std::wstring> plannedSteps = PlanItems(plan.lines, L"step ");
  ASSERT_GE(plannedSteps.size(), ranSteps.size()) << planDump;
  plannedSteps.resize(ranSteps.size());  // the later-run part follows
  EXPECT_EQ(plannedSteps, (std::vector<std::wstring>{L"Copy", L"keys", L"PreLoad", L"Main"})) << planDump;
  EXPECT_EQ(plannedSteps, ranSteps);

  // The copies: the result lines of the run, without their outcome.
  std::vector<std::wstring> copies;
  for (const vtest::LogLine& line : vtest::LinesStartingWith(run.log, L"CVorlanDlg::PrintInfo: Copy File ")) {
    std::wstring text = line.text.substr(std::wstring(L"CVorlanDlg::PrintInfo: ").size());
    copies.push_back(text.substr(0, text.rfind(L", ")));
  }
  const std::vector<std::wstring> plannedCopies = PlanItems(plan.lines, L"Copy File ");
  ASSERT_EQ(copies.size(), 2u) << vtest::Dump(run.log);
  ASSERT_EQ(plannedCopies.size(), 2u) << planDump;
  for (std::size_t i = 0; i < copies.size(); ++i) EXPECT_EQ(L"Copy File " + plannedCopies[i], copies[i]);
  vtest::RemoveTree(plannedCopies[1].substr(plannedCopies[1].find(L" --> ") + 5));  // in the prefix's AppData

  // The programs: command lines as the started programs received them.
  const std::vector<std::wstring> pre = PlanItems(plan.lines, L"ProcessPreLoad ");
  ASSERT_EQ(pre.size(), 1u) << planDump;
  const auto preRuns = game.WaitForRecorderRuns(L"tools\\pre.exe", 1);
  ASSERT_EQ(preRuns.size(), 1u);
  EXPECT_EQ(pre[0], game.File(L"tools\\pre.exe") + L": " + preRuns[0].commandLine + L", waited for");

  const std::vector<std::wstring> start = PlanItems(plan.lines, L"Start Game: ");
  ASSERT_EQ(start.size(), 2u) << planDump;  // the full run and the later runs
  const auto gameRuns = game.WaitForRecorderRuns(L"game.exe", 1);
  ASSERT_EQ(gameRuns.size(), 1u);
  EXPECT_EQ(start[0].substr(0, start[0].rfind(L", in ")), gameRuns[0].commandLine);
}

// Every entry of every step with what it would do, as a person reads it.
TEST(DryRun, ShowsEachEntryWithWhatItWouldDo) {
  vtest::GameFolder game;
  game.MakeDir(L"save");
  game.WriteOptionFile(
      L"[Main]\r\nGameExe=game.exe\r\nRunOption=1\r\n"
      L"[ProcessMgr]\r\nArgc=2\r\n"
      L"[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Junction\r\n"
      L"[ProcessMgr_1]\r\nArgc=6\r\nArgument_0=keys\r\nArgument_1=ImportReg\r\nArgument_2=RegService\r\n"
      L"Argument_3=AppLoc\r\nArgument_4=AssocGamePathSet\r\nArgument_5=Main\r\n"
      L"[Junction]\r\nNum=1\r\n[Junction0]\r\nSrc=save\r\nDst=C:\\DryRunSave\r\nOption=1\r\n"
      L"[keys]\r\nNum=1\r\n[keys0]\r\nKey=HKCU\\Software\\Game\r\nName=CDKey\r\nData=ABCD-1234-EFGH\r\n"
      L"[ImportReg]\r\nNum=1\r\n[ImportReg0]\r\nFile=reg\\game.reg\r\n"
      L"[RegService]\r\nNum=2\r\n[RegService0]\r\nName=Guard\r\nDisplayName=Game Guard\r\nFile=guard.exe\r\n"
      L"[RegService1]\r\nName=Guard\r\nFile=guard.exe\r\nStart=boot\r\n"
      L"[AppLoc]\r\nExe=C:\\AppLoc\\AppLoc.exe\r\nParam=/L0804\r\n"
      L"[AssocGamePathSet]\r\nNum=4\r\n"
      L"[AssocGamePathSet0]\r\nPkgId=20001\r\nRoot=HKCU\r\nKey=Software\\Platform\r\nName=InstallPath\r\nValue=%PkgPath%\\bin\r\n"
      L"[AssocGamePathSet1]\r\nPkgId=2OO01\r\n"
      L"[AssocGamePathSet2]\r\nPkgId=20417\r\nType=1\r\nSection=Platform\r\nKey=Root\r\n"
      L"[AssocGamePathSet3]\r\nPkgId=20417\r\nRoot=HKXX\r\nKey=Software\\Platform\r\n");
  const checktest::CheckRun plan = checktest::RunCheck(game.Path(), L"--plan \"" + game.Path() + L"\"");
  ASSERT_EQ(plan.exitCode, 0u);
  std::wstring planText;
  for (const auto& l : plan.lines) planText += l + L"\n";
  const std::string dump(planText.begin(), planText.end());

  const std::wstring gamePath = game.File(L"game.exe");
  EXPECT_EQ(PlanItems(plan.lines, L"[ProcessMgr_0], "), std::vector<std::wstring>{L"1 step"}) << dump;
  EXPECT_EQ(PlanItems(plan.lines, L"[JunctionOption] "),
            std::vector<std::wstring>{L"has no entry: [Junction] is read instead, as above"}) << dump;
  EXPECT_EQ(PlanItems(plan.lines, L"Write Key "), std::vector<std::wstring>{L"HKCU\\Software\\Game\\CDKey = ********"}) << dump;
  EXPECT_EQ(PlanItems(plan.lines, L"Import Reg "), std::vector<std::wstring>{game.File(L"reg\\game.reg")}) << dump;
  EXPECT_EQ(PlanItems(plan.lines, L"Register Service "),
            (std::vector<std::wstring>{L"Guard (\"" + game.File(L"guard.exe") + L"\"), \"Game Guard\", started",
                                       L"[RegService1], Failed: unknown start"})) << dump;
  EXPECT_EQ(PlanItems(plan.lines, L"Run Apploc "),
            std::vector<std::wstring>{L"C:\\AppLoc\\AppLoc.exe \"" + gamePath + L"\" \"/L0804\""}) << dump;
  const std::wstring folderOf = L", %PkgPath% being the folder of package ";
  const std::wstring unknown = L" (nothing is written when the client service does not know it)";
  EXPECT_EQ(PlanItems(plan.lines, L"AssocGamePathSet"),
            (std::vector<std::wstring>{
                L"0 HKCU\\Software\\Platform\\InstallPath = %PkgPath%\\bin" + folderOf + L"20001" + unknown,
                L"1 PkgId \"2OO01\" Failed, not a package id",
                L"2 " + game.File(L"VorlanGameTool.ini") + L" [Platform] Root = %PkgPath%" + folderOf + L"20417" + unknown,
                L"3 HKXX\\Software\\Platform\\ = %PkgPath% Failed, 87: a required key is missing or the root is unknown"}))
      << dump;
  EXPECT_EQ(PlanItems(plan.lines, L"Start Game through the shell: ").at(0), gamePath + L", in " + game.Path()) << dump;
  EXPECT_EQ(planText.find(L"ABCD"), std::wstring::npos) << "the CD key is never shown";
}

}  // namespace
