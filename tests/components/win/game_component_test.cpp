// Step "GameComponent": the hand-over to ComponentMgr.dll, driven with a
// step context of the test's own, and once through the real launcher.

#include <windows.h>

#include <gtest/gtest.h>

#include "components/win/game_component.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

enum class Library { Absent, NotALibrary, WithoutExport, StandIn };

struct HandOverCase {
  const wchar_t* name;
  Library library;
  int result;                   // what the stand-in answers
  bool handedOver;
  const wchar_t* printedTail;   // after "<what> <path>" / the call
};

void Place(const GameFolder& game, Library library, int result) {
  const std::wstring target = game.File(L"ComponentMgr.dll");
  if (library == Library::NotALibrary) game.WriteText(L"ComponentMgr.dll", L"MZ but not a library");
  if (library == Library::WithoutExport) {
    ASSERT_TRUE(::CopyFileW(NoExportDll().c_str(), target.c_str(), FALSE));
  }
  if (library == Library::StandIn) {
    ASSERT_TRUE(::CopyFileW(ComponentMgrDll().c_str(), target.c_str(), FALSE));
    game.WriteText(L"ComponentMgr.cfg", L"[component]\r\nResult=" + std::to_wstring(result) + L"\r\n");
  }
}

}  // namespace

TEST(GameComponentStep, EveryWayTheHandOverEndsIsReportedWithItsReason) {
  const HandOverCase cases[] = {
      {L"absent", Library::Absent, 0, false, L"Load %, Failed, 126"},
      {L"text", Library::NotALibrary, 0, false, L"Load %, Failed, 193"},
      {L"noexport", Library::WithoutExport, 0, false, L"Find RunGameComponent in %, Failed, 127"},
      {L"refuses", Library::StandIn, 0, false, L"RunGameComponent 2024 Z:, Failed"},
      {L"accepts", Library::StandIn, 1, true, L"RunGameComponent 2024 Z:, Success"},
      {L"anytrue", Library::StandIn, 7, true, L"RunGameComponent 2024 Z:, Success"},
  };
  for (const HandOverCase& c : cases) {
    SCOPED_TRACE(ToUtf8(c.name));
    GameFolder game({.suffix = c.name});
    Place(game, c.library, c.result);
    RecordingStepContext context(game, L"Z:");
    context.SetGameId(2024);
    context.SetDialogWindow(::GetDesktopWindow());

    EXPECT_EQ(components::RunGameComponentStep(context), c.handedOver);

    std::wstring expected = c.printedTail;
    if (const auto at = expected.find(L'%'); at != std::wstring::npos) expected.replace(at, 1, game.File(L"ComponentMgr.dll"));
    EXPECT_EQ(context.Printed(), std::vector<std::wstring>{expected});
    EXPECT_TRUE(context.Messages().empty());
    const std::string calls = ReadBytes(game.File(L"ComponentMgr.rec"));
    if (c.library == Library::StandIn) {
      EXPECT_EQ(calls, "@call\nwindow=" + std::to_string(reinterpret_cast<std::uintptr_t>(::GetDesktopWindow())) +
                           "\nisWindow=1\ngameId=2024\nprogramDirectory=Z:\n");
    } else {
      EXPECT_EQ(calls, "");
    }
  }
}

TEST(GameComponentStep, WithoutADialogTheLibraryGetsANullWindow) {
  GameFolder game;
  Place(game, Library::StandIn, 1);
  RecordingStepContext context(game);
  context.SetGameId(0);
  EXPECT_TRUE(components::RunGameComponentStep(context));
  EXPECT_EQ(ReadBytes(game.File(L"ComponentMgr.rec")),
            "@call\nwindow=0\nisWindow=0\ngameId=0\nprogramDirectory=" + ToUtf8(game.Path()) + "\n");
}

// Through the launcher: an accepted hand-over lets the run go on to the later
// steps, and the library gets the launcher's own dialog.
TEST(GameComponentRun, AnAcceptedHandOverLetsTheRunGoOn) {
  GameFolder game;
  // No completion mark today: the full preparation runs.
  WriteDword(HKEY_LOCAL_MACHINE, L"Software\\ZR_Vorlan", L"placeholder", 0);
  DeleteValue(HKEY_LOCAL_MACHINE, L"Software\\ZR_Vorlan", game.ExePath());
  Place(game, Library::StandIn, 1);
  game.WriteOptionFile(L"[Main]\r\nIsShow=1\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=2\r\n"
                       L"Argument_0=GameComponent\r\nArgument_1=Display\r\n");
  LauncherRun run = game.Run(L"NewVorlan 1001", {.answerMessageBoxes = true});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.messageBoxes.empty());
  const std::wstring result = L"RunGameComponent 1001 " + game.Path() + L", Success";
  auto at = [&](const std::wstring& text) { return FindLine(run.log, text); };
  EXPECT_GE(FindLine(run.log, L"GameComponentOption: CVorlanDlg::ProcessGameComponent. " + result, 4), 0) << Dump(run.log);
  EXPECT_LT(at(L"CVorlanDlg::ProcessManage. Begin GameComponent"), at(L"CVorlanDlg::ProcessManage. End GameComponent"));
  EXPECT_LT(at(L"CVorlanDlg::ProcessManage. End GameComponent"), at(L"CVorlanDlg::ProcessManage.开始执行更改显示设置"));
  EXPECT_EQ(at(L"CVorlanDlg::ProcessManage. Failed GameComponent"), -1);
  const std::string calls = ReadBytes(game.File(L"ComponentMgr.rec"));
  EXPECT_NE(calls.find("\nisWindow=1\ngameId=1001\n"), std::string::npos) << calls;
}
