// The crash dump writer through the real launcher: a game component library
// stand-in faults inside the launcher's process.

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

constexpr wchar_t kLinePrefix[] = L"CrashDumpOption: OS::CrashDumpWriter::OnCrash. ";

// A game folder whose only step hands over to a faulting ComponentMgr.dll.
void PrepareFaultingComponent(const GameFolder& game, const wchar_t* fault) {
  WriteDword(HKEY_LOCAL_MACHINE, L"Software\\ZR_Vorlan", L"placeholder", 0);
  DeleteValue(HKEY_LOCAL_MACHINE, L"Software\\ZR_Vorlan", game.ExePath());
  ASSERT_TRUE(::CopyFileW(ComponentMgrDll().c_str(), game.File(L"ComponentMgr.dll").c_str(), FALSE));
  game.WriteText(L"ComponentMgr.cfg", std::wstring(L"[component]\r\nResult=1\r\nFault=") + fault + L"\r\n");
  game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=2\r\n"
                       L"Argument_0=GameComponent\r\nArgument_1=Display\r\n");
}

// Programs the launcher started that still run, but for the reporter (a
// crash dialog would be one).
std::vector<std::wstring> RunningChildrenOf(DWORD processId) {
  std::vector<std::wstring> children;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == processId && std::wstring(entry.szExeFile) != L"ErrorReporter.exe")
      children.push_back(entry.szExeFile);
  ::CloseHandle(snapshot);
  return children;
}

}  // namespace

// The fault lies on a thread the launcher knows nothing of. (Wine's DBGHELP
// takes from half a minute to minutes per dump: one run only.)
TEST(CrashDump, AFaultInTheComponentLibraryLeavesADumpALineAndTheReporter) {
  GameFolder game;
  PrepareFaultingComponent(game, L"thread");
  game.AddRecorder(L"ErrorReporter.exe");

  LauncherRun run = game.Run(L"NewVorlan 1001", {.timeoutMs = 360000});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0xC0000005u);
  EXPECT_TRUE(run.messageBoxes.empty());
  EXPECT_EQ(RunningChildrenOf(run.processId), std::vector<std::wstring>{});

  const std::wstring head = std::wstring(kLinePrefix) + L"Exception 0xC0000005 at ComponentMgr.dll+0x";
  const auto lines = LinesStartingWith(run.log, head);
  ASSERT_EQ(lines.size(), 1u) << Dump(run.log);
  EXPECT_EQ(lines[0].level, 32);
  const std::wstring& line = lines[0].text;
  const std::wstring::size_type dumpAt = line.find(L", Dump ");
  const std::wstring success = L", Success, 0";
  ASSERT_NE(dumpAt, std::wstring::npos);
  ASSERT_GT(line.size(), success.size());
  ASSERT_EQ(line.substr(line.size() - success.size()), success) << ToUtf8(line);
  const std::wstring dump = line.substr(dumpAt + 7, line.size() - success.size() - dumpAt - 7);

  // Log\YYYYMMDD-HHMMSS-<pid>.dmp beside the day's log, and a minidump.
  const std::wstring logFolder = game.File(L"Log") + L"\\";
  ASSERT_EQ(dump.rfind(logFolder, 0), 0u) << ToUtf8(dump);
  const std::wstring name = dump.substr(logFolder.size());
  EXPECT_EQ(name.size(), 16 + std::to_wstring(run.processId).size() + 4) << ToUtf8(name);
  EXPECT_EQ(name.substr(15), L"-" + std::to_wstring(run.processId) + L".dmp");
  EXPECT_TRUE(FileExists(logFolder + name.substr(0, 8) + L".log"));
  EXPECT_EQ(ReadBytes(dump).substr(0, 4), "MDMP");

  const std::wstring reporterLine = L"\"" + game.File(L"ErrorReporter.exe") + L"\" \"" + dump + L"\"";
  EXPECT_GE(FindLine(run.log, std::wstring(kLinePrefix) + L"Start " + reporterLine + L", Success, 0", 4), 0);
  const auto reports = game.WaitForRecorderRuns(L"ErrorReporter.exe", 1);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].commandLine, reporterLine);
  EXPECT_EQ(reports[0].currentDir, game.Path());
  // Nothing after the crash ran.
  EXPECT_EQ(FindLine(run.log, L"CVorlanDlg::ProcessManage. End GameComponent"), -1);
}

TEST(CrashDump, WithoutALogFolderTheProcessStillEndsAndNoReporterStarts) {
  GameFolder game;
  PrepareFaultingComponent(game, L"call");
  game.WriteText(L"Log", L"a file where the log folder would be");
  game.AddRecorder(L"ErrorReporter.exe");

  LauncherRun run = game.Run(L"NewVorlan 1001", {.timeoutMs = 180000});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0xC0000005u);
  EXPECT_TRUE(run.messageBoxes.empty());
  EXPECT_EQ(RunningChildrenOf(run.processId), std::vector<std::wstring>{});
  EXPECT_TRUE(game.RecorderRuns(L"ErrorReporter.exe").empty());
  // The call got as far as the library, which is where it ended.
  EXPECT_NE(ReadBytes(game.File(L"ComponentMgr.rec")).find("gameId=1001"), std::string::npos);
}
