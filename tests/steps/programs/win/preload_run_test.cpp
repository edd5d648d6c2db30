// The pre-load programs in real launcher runs: waits against the times of
// the log, and a whole preparation that ends with the game.

#include <windows.h>

#include <gtest/gtest.h>

#include "launcher_options.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/registry.h"
#include "vtest/shell_stand_ins.h"

using namespace vtest;

TEST(PreLoadRun, AWaitedProgramHoldsItsStepAndAnUnwaitedOneDoesNot) {
  GameFolder game;
  game.AddRecorder(L"tools\\slow.exe", {.sleepMs = 1500});
  game.AddRecorder(L"tools\\background.exe", {.sleepMs = 4000});
  game.WriteOptionFile(Pipeline({L"PreLoad"}) +
                       L"[PreLoad]\r\nNum=2\r\n"
                       L"[PreLoad0]\r\nExe=tools\\slow.exe\r\nWait=1\r\n"
                       L"[PreLoad1]\r\nExe=tools\\background.exe\r\nWait=0\r\n");
  LauncherRun run = game.Run();
  ASSERT_TRUE(run.started);
  ASSERT_FALSE(run.timedOut) << Dump(run.log);

  const int begin = FindLine(run.log, L"CVorlanDlg::ProcessManage.开始执行预处理程序", 4);
  const int slowLine = FindLine(run.log, Printed(L"ProcessPreLoad " + game.File(L"tools\\slow.exe") + L", Success"), 4);
  const int backgroundLine =
      FindLine(run.log, Printed(L"ProcessPreLoad " + game.File(L"tools\\background.exe") + L", Success"), 4);
  const int end = FindLineStarting(run.log, L"CVorlanDlg::ProcessManage.已执行预处理程序 ");
  ASSERT_TRUE(begin >= 0 && slowLine > begin && backgroundLine > slowLine && end > backgroundLine) << Dump(run.log);
  EXPECT_GE(std::stoi(run.log[end].text.substr(run.log[end].text.find(L' ') + 1)), 1500) << run.log[end].time;

  auto slow = game.RecorderRuns(L"tools\\slow.exe");
  auto background = game.WaitForRecorderRuns(L"tools\\background.exe", 1);
  ASSERT_EQ(slow.size(), 1u);
  ASSERT_EQ(background.size(), 1u);
  ASSERT_FALSE(background[0].endTime.empty());
  // The step began before the waited program and reported it only after it
  // ended; the unwaited one was still running when the step ended.
  EXPECT_LE(run.log[begin].time, slow[0].startTime);
  EXPECT_LE(slow[0].endTime, run.log[slowLine].time);
  EXPECT_LE(slow[0].endTime, background[0].startTime);
  EXPECT_LT(run.log[end].time, background[0].endTime);
}

TEST(PreLoadRun, AWholePreparationEndsWithTheGame) {
  InstallShellStandIns();
  GameFolder game;
  const std::wstring token = UniqueToken();
  const std::wstring onceExe = L"tools\\once-" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  DeleteValue(HKEY_CURRENT_USER,
              L"SOFTWARE\\VorlanCfg\\" + std::to_wstring(now.wYear) + L"." + std::to_wstring(now.wMonth) + L"." +
                  std::to_wstring(now.wDay),
              onceExe);
  for (const wchar_t* tool : {L"tools\\pre.exe", L"tools\\type.exe", L"tools\\apploc.exe", L"bin\\game.exe"})
    game.AddRecorder(tool);
  game.AddRecorder(onceExe);
  game.WriteText(L"select.ini",
                 L"[SelectPreLoadProcess]\r\nWhichProcess=1\r\n[PreLoadType]\r\nNum=1\r\n"
                 L"[PreLoadType0]\r\nExe=tools\\type.exe\r\nWait=1\r\n");
  game.WriteOptionFile(
      L"[Main]\r\nIsShow=1\r\nGameExe=game.exe\r\nBeforeExePath=bin\r\nParam=-window\r\n"
      L"[ProcessMgr]\r\nArgc=2\r\n"
      L"[ProcessMgr_0]\r\nArgc=4\r\nArgument_0=PreLoad\r\nArgument_1=SelectPreLoadProcess\r\nArgument_2=RunOnce\r\n"
      L"Argument_3=AppLoc\r\n"
      L"[ProcessMgr_1]\r\nArgc=2\r\nArgument_0=OpenUrl\r\nArgument_1=Main\r\n"
      L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=tools\\pre.exe\r\nWait=1\r\n"
      L"[SelectPreLoadProcess]\r\nIniFilePath=select.ini\r\n"
      L"[RunOnce]\r\nExe=" + onceExe + L"\r\nWait=1\r\n"
      L"[AppLoc]\r\nExe=" + game.File(L"tools\\apploc.exe") + L"\r\nParam=0804\r\n"
      L"[OpenUrl]\r\nNum=1\r\nUrl_0=vorlantest:" + token + L"\r\n");
  LauncherRun run = game.Run();
  ASSERT_TRUE(run.started);
  ASSERT_FALSE(run.timedOut) << Dump(run.log);
  EXPECT_EQ(run.exitCode, 0u);

  const std::wstring gamePath = game.File(L"bin\\game.exe");
  const std::vector<std::wstring> inOrder = {
      Printed(L"ProcessPreLoad " + game.File(L"tools\\pre.exe") + L", Success"),
      Printed(L"SelectPreloadProcess " + game.File(L"tools\\type.exe") + L", Success"),
      Printed(L"ProcessRunOnce " + onceExe + L", Success"),
      Printed(L"Run Apploc " + game.File(L"tools\\apploc.exe") + L" \"" + gamePath + L"\" \"0804\", Success"),
      L"CVorlanDlg::ProcessOpenUrl. Default Browser.",
      Printed(L"RunGameOption: CVorlanDlg::ProcessRunGame. Start Game..."),
  };
  int at = 0;
  for (const auto& line : inOrder) {
    const int found = FindLine(run.log, line, 4, at);
    EXPECT_GE(found, 0) << "missing or out of order: " << ToUtf8(line) << "\n" << Dump(run.log);
    if (found >= 0) at = found + 1;
  }

  auto pre = game.RecorderRuns(L"tools\\pre.exe");
  auto type = game.RecorderRuns(L"tools\\type.exe");
  auto once = game.RecorderRuns(onceExe);
  auto gameRuns = game.WaitForRecorderRuns(L"bin\\game.exe", 1);
  ASSERT_EQ(pre.size(), 1u);
  ASSERT_EQ(type.size(), 1u);
  ASSERT_EQ(once.size(), 1u);
  ASSERT_EQ(gameRuns.size(), 1u);
  EXPECT_EQ(game.WaitForRecorderRuns(L"tools\\apploc.exe", 1).size(), 1u);
  EXPECT_EQ(WaitForShellHandlerRuns(token, 1).size(), 1u);
  EXPECT_LE(pre[0].endTime, type[0].startTime);
  EXPECT_LE(type[0].endTime, once[0].startTime);
  EXPECT_LE(once[0].endTime, gameRuns[0].startTime);
  EXPECT_EQ(gameRuns[0].commandLine, gamePath + L" -window");
  EXPECT_EQ(gameRuns[0].currentDir, game.File(L"bin"));
}

TEST(PreLoadRun, AMissingSelectFileIsLoggedAndRunsNothing) {
  GameFolder game;
  game.AddRecorder(L"tools\\ad.exe");
  game.WriteOptionFile(Pipeline({L"SelectPreLoadProcess"}) +
                       L"[SelectPreLoadProcess]\r\nIniFilePath=cfg\\absent.ini\r\n"
                       L"[PreLoadAd]\r\nNum=1\r\n[PreLoadAd0]\r\nExe=tools\\ad.exe\r\n");
  LauncherRun run = game.Run();
  ASSERT_FALSE(run.timedOut) << Dump(run.log);
  EXPECT_GE(FindLine(run.log,
                     L"PreLoadOption: CVorlanDlg::SelectPreloadProcess. Select file not found: " +
                         game.File(L"cfg\\absent.ini"),
                     16),
            0)
      << Dump(run.log);
  EXPECT_EQ(FindLineStarting(run.log, Printed(L"SelectPreloadProcess ")), -1);
  EXPECT_GE(FindLineStarting(run.log, L"CVorlanDlg::ProcessManage.已执行SelectPreloadProcess预处理程序 "), 0);
  ::Sleep(300);
  EXPECT_TRUE(game.RecorderRuns(L"tools\\ad.exe").empty());
}
