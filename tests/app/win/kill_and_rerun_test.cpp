// The launcher ended at a random moment (the PC's task manager, a power
// button held, the next start of the same game) while it copies a tree,
// moves a folder aside to link it, and imports a registry file; then the
// game is started again. The source stays as it was, the destination comes
// out whole, no folder moved aside is lost, the record file is sound, and
// every registry value is there.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "launcher_scenario.h"
#include "steps/files/win/junction_records_file.h"
#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

constexpr wchar_t kRecordFile[] = L"c:\\windows\\JunctionCfgInfo.ini";
constexpr wchar_t kKey[] = L"Software\\VorlanTests\\KillAndRerun";
constexpr int kFiles = 240;
constexpr int kValues = 3000;

std::wstring DataFile(int i) { return L"sub" + std::to_wstring(i % 6) + L"\\f" + std::to_wstring(i) + L".txt"; }
std::string DataText(int i) { return std::string(static_cast<std::size_t>(200 + i * 37), static_cast<char>('a' + i % 26)); }

DWORD ValueCount() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD values = 0;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
  ::RegCloseKey(key);
  return values;
}

class KillAndRerun : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    ::DeleteFileW(kRecordFile);
    ::DeleteFileW((std::wstring(kRecordFile) + L".damaged").c_str());
    DeleteTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VorlanClient", Is64BitPrefix() ? RegView::Wow64 : RegView::Native);
    DeleteTree(HKEY_CURRENT_USER, kKey);
  }
};

}  // namespace

TEST_F(KillAndRerun, TheNextRunFinishesWhatTheEndedOneLeft) {
  GameFolder game;
  for (int i = 0; i < 6; ++i) game.MakeDir(L"data\\sub" + std::to_wstring(i));
  for (int i = 0; i < kFiles; ++i) ASSERT_TRUE(WriteBytes(game.File(L"data\\" + DataFile(i)), DataText(i)));
  game.WriteText(L"save\\s.txt", L"s");
  std::string reg = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + ToUtf8(kKey) + "]\r\n";
  for (int i = 0; i < kValues; ++i) reg += "\"v" + std::to_string(i) + "\"=\"" + std::to_string(i * 7) + "\"\r\n";
  ASSERT_TRUE(WriteBytes(game.File(L"game.reg"), reg));
  game.WriteOptionFile(L"[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=1\r\n"
                       L"[ProcessMgr_0]\r\nArgc=3\r\nArgument_0=Copy\r\nArgument_1=Junction\r\nArgument_2=ImportReg\r\n"
                       L"[Copy]\r\nNum=1\r\n[Copy0]\r\nSrc=data\r\nDst=" + game.File(L"copy") + L"\r\n"
                       L"[JunctionOption]\r\nNum=1\r\n[JunctionOption0]\r\nOption=4\r\nSrc=data\r\nDst=" +
                       game.File(L"save") + L"\r\n"
                       L"[ImportReg]\r\nNum=1\r\n[ImportReg0]\r\nFile=game.reg\r\n");

  // How long a whole run takes here, to spread the kills over it.
  scenario::ClearLaunchMark(game);
  const ULONGLONG begin = ::GetTickCount64();
  ASSERT_FALSE(game.Run().timedOut);
  const DWORD whole = static_cast<DWORD>(::GetTickCount64() - begin);

  for (int percent : {5, 20, 35, 50, 65, 80, 95}) {
    const DWORD delay = whole * static_cast<DWORD>(percent) / 100;
    SCOPED_TRACE(testing::Message() << "ended after " << delay << " ms of " << whole);
    RemoveTree(game.File(L"copy"));
    DeleteTree(HKEY_CURRENT_USER, kKey);
    RemoveTree(game.File(L"Log"));
    scenario::ClearLaunchMark(game);

    RunningProgram killed = game.Start();
    ::Sleep(delay);
    ASSERT_TRUE(::TerminateProcess(killed.Process(), 0xDEAD) || !killed.IsRunning());
    ASSERT_TRUE(killed.Wait(5000));
    const std::vector<LogLine> ended = game.Log();
    SCOPED_TRACE("the ended run's last line: " + (ended.empty() ? std::string("none") : ToUtf8(ended.back().text)));

    RemoveTree(game.File(L"Log"));
    scenario::ClearLaunchMark(game);
    const LauncherRun again = game.Run();
    ASSERT_FALSE(again.timedOut);
    EXPECT_EQ(again.exitCode, 0u);
    EXPECT_FALSE(LinesStartingWith(again.log, L"CVorlanDlg::ThreadProc. Thread End Time").empty()) << Dump(again.log);

    for (int i = 0; i < kFiles; ++i) {
      ASSERT_EQ(ReadBytes(game.File(L"data\\" + DataFile(i))), DataText(i)) << "source " << i;
      ASSERT_EQ(ReadBytes(game.File(L"copy\\" + DataFile(i))), DataText(i)) << "copy " << i;
    }
    EXPECT_EQ(ReadBytes(game.File(L"save\\s.txt")), "s");
    EXPECT_FALSE(DirectoryExists(game.File(L"save.VorlanOld")));
    EXPECT_EQ(ReadBytes(kRecordFile).substr(0, 2), "\xFF\xFE");
    JunctionRecordFile records(kRecordFile);
    EXPECT_TRUE(vorlan::LoadRecords(records).oldFolders.empty());
    EXPECT_EQ(ValueCount(), static_cast<DWORD>(kValues));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kKey, L"v" + std::to_wstring(kValues - 1)),
              std::to_wstring((kValues - 1) * 7));
    // Ended while the system rewrote the record file, the run leaves it cut
    // short: the next run keeps it as it was and says so.
    const std::wstring damaged = std::wstring(kRecordFile) + L".damaged";
    if (FileExists(damaged)) {
      EXPECT_FALSE(LinesStartingWith(again.log, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. " +
                                                    std::wstring(kRecordFile) + L" is damaged (")
                       .empty())
          << Dump(again.log);
      ::DeleteFileW(damaged.c_str());
    }
  }
}
