// The associated-game steps in whole launcher runs, against the stand-in
// client service (an in-process COM server registered in this prefix) and
// the stand-in "BarClientDll.dll": the package's registry values and system
// files in place, the dialog off the taskbar while the run waits.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assoc_scenario.h"
#include "cafe_paths.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/log_lines.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

const std::wstring kServiceClass = L"CLSID\\{DBCB78F8-B3EA-4C44-B2E9-6AD202ACBB35}";
const std::wstring kKey = L"Software\\VorlanAssocTest\\Run";
const wchar_t kName32[] = L"vorlan_assoc_run32.dll";
const wchar_t kName64[] = L"vorlan_assoc_run64.dll";
constexpr wchar_t kStart[] = L"CVorlanDlg::ProcessManage.开始执行设置关联游戏路径及出盘";
constexpr wchar_t kEnd[] = L"CVorlanDlg::ProcessManage.已执行设置关联游戏路径及出盘 ";

// The launcher is a program of the same bitness as this test: the class is
// registered in the registry view it reads.
RegView OwnView() { return sizeof(void*) == 8 ? RegView::Native : RegView::Wow32; }

std::wstring Folder(UINT(WINAPI* query)(LPWSTR, UINT)) {
  wchar_t path[MAX_PATH] = {};
  UINT n = query(path, MAX_PATH);
  return std::wstring(path, n);
}

int FirstStartingWith(const std::vector<LogLine>& log, const std::wstring& prefix) {
  for (std::size_t i = 0; i < log.size(); ++i)
    if (log[i].text.rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}

struct DialogSearch {
  DWORD processId;
  bool offTheTaskbar = false;
};

BOOL CALLBACK CheckDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<DialogSearch*>(parameter);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  wchar_t title[64] = {};
  ::GetWindowTextW(window, title, 64);
  if (pid != search->processId || std::wstring(title) != L"Vorlan 游戏环境准备") return TRUE;
  const LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  search->offTheTaskbar = (ex & WS_EX_TOOLWINDOW) && !(ex & WS_EX_APPWINDOW) && !::IsWindowVisible(window);
  return FALSE;
}

// The main dialog's extended style shows it is off the taskbar, and it is hidden.
bool DialogOffTheTaskbar(DWORD processId) {
  DialogSearch search{processId};
  ::EnumWindows(&CheckDialog, reinterpret_cast<LPARAM>(&search));
  return search.offTheTaskbar;
}

class AssocRun : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { CleanUp(); }

  // The prefix as each case (and each row) expects it: no stand-in service,
  // none of the test's system files or values, an empty script folder.
  void Reset() {
    native_ = Folder(&::GetSystemDirectoryW);
    wow32_ = Folder(&::GetSystemWow64DirectoryW);
    ASSERT_FALSE(wow32_.empty()) << "a 64-bit prefix";
    RemoveSystemFiles();
    DeleteTree(HKEY_CURRENT_USER, kKey);
    RemoveTree(script_);
    ASSERT_TRUE(MakeDirectories(script_));
    // The launcher inherits the variable that tells the stand-ins where their script lies.
    ASSERT_TRUE(::SetEnvironmentVariableW(L"VORLAN_FAKE_CAFE_CLIENT_DIR", script_.c_str()));
    DeleteTree(HKEY_CLASSES_ROOT, kServiceClass, OwnView());
  }
  void CleanUp() {
    DeleteTree(HKEY_CLASSES_ROOT, kServiceClass, OwnView());
    RemoveSystemFiles();
    DeleteTree(HKEY_CURRENT_USER, kKey);
  }
  // The native System32 as this test sees it: a 32-bit test on 64-bit
  // Windows reaches it through "Sysnative".
  std::wstring NativeSeenHere() const {
    if (sizeof(void*) == 8) return native_;
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\Sysnative";
  }
  void RemoveSystemFiles() {
    ::DeleteFileW((NativeSeenHere() + L"\\" + kName64).c_str());
    ::DeleteFileW((wow32_ + L"\\" + kName32).c_str());
  }

  void RegisterService() {
    const std::wstring server = kServiceClass + L"\\InprocServer32";
    ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, server, L"", UnixToWine(CAFE_FAKE_SERVICE_DLL), OwnView()));
    ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, server, L"ThreadingModel", L"Both", OwnView()));
  }
  // Every request is answered with the package list naming `folder` for 301
  // (the service names a path inside the folder that holds the package).
  void ServePackage(const std::wstring& folder) {
    std::string path = ToUtf8(folder + L"\\301\\");
    std::string escaped;
    for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const std::string reply = "bstr\n{\"JSON_TYPE\": 2147483650, \"JSON_RESULT\": 0, \"PKGINFO_LIST\": [{\"PKGINFO_PKGID\": 301, "
                              "\"PKGINFO_PKGPATH\": \"" + escaped + "\", \"PKGINFO_BVDISK\": true, \"PKGINFO_BALREADY\": true}]}";
    for (int n = 1; n <= 100; ++n) ASSERT_TRUE(WriteBytes(script_ + L"\\reply-" + std::to_wstring(n) + L".txt", reply));
  }

  // The option file, VorlanAssoc.ini and a package made in <game>\staging.
  void LayOut(const GameFolder& game) {
    game.WriteOptionFile(L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=2\r\n"
                         L"Argument_0=Assoc\r\nArgument_1=AssocGamePathSet\r\n"
                         L"[AssocGamePathSet]\r\nNum=1\r\n"
                         L"[AssocGamePathSet0]\r\nPkgId=301\r\nType=1\r\nSection=Platform\r\nKey=Root\r\n");
    // Beside the package, an entry that names no package and one that repeats it.
    game.WriteText(L"VorlanAssoc.ini", L"[Assoc]\r\nNum=3\r\nWaitSeconds=30\r\n[Assoc0]\r\nPkgId=301\r\n"
                                       L"[Assoc1]\r\nPkgId=3O1\r\n[Assoc2]\r\nPkgId=301\r\n");
    const std::wstring staging = game.File(L"staging");
    ASSERT_TRUE(MakeDirectories(staging + L"\\System32File\\RegInfo"));
    ASSERT_TRUE(WriteBytes(staging + L"\\System32File\\RegInfo\\game.nfd",
                           assoctest::ScriptFile("HKCU\\" + ToAnsi(kKey), "Path", "%InstallDir%\\bin")));
    ASSERT_TRUE(WriteBytes(staging + L"\\System32File\\" + kName32, assoctest::Image32()));
    ASSERT_TRUE(WriteBytes(staging + L"\\System32File\\" + kName64, assoctest::Image64()));
  }

  // What every run that prepared the package leaves.
  void ExpectPrepared(const GameFolder& game, const std::wstring& package, const LauncherRun& run) {
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kKey, L"PATH"), package + L"\\bin") << Dump(run.log);
    EXPECT_EQ(ReadBytes(wow32_ + L"\\" + kName32), assoctest::Image32());
    EXPECT_EQ(ReadBytes(NativeSeenHere() + L"\\" + kName64), assoctest::Image64());
    const std::wstring result = L"Package 301 " + package + L" Success, 1 registry files, 2 system files copied, 0 kept";
    EXPECT_GE(FindLine(run.log, L"AssocOption: CVorlanDlg::AssocThreadProc. " + result, 4), 0) << Dump(run.log);
    EXPECT_GE(FindLine(run.log, L"CVorlanDlg::PrintInfo: " + result), 0);
    EXPECT_GE(FindLine(run.log, L"AssocOption: CVorlanDlg::ProcessAssoc. Assoc1 PkgId \"3O1\" Failed, not a package id", 32), 0);
    EXPECT_GE(FindLine(run.log, L"AssocOption: CVorlanDlg::ProcessAssoc. Assoc2 PkgId 301 Failed, repeated", 32), 0);
    EXPECT_GE(FindLine(run.log, L"AssocOption: CVorlanDlg::ProcessAssoc. Worker started, 1 packages", 4), 0);
    const int end = FindLine(run.log, L"AssocOption: CVorlanDlg::AssocThreadProc. End, 1 packages, 0 failed", 4);
    const int stepEnd = FirstStartingWith(run.log, kEnd);
    EXPECT_GE(end, 0);
    EXPECT_GT(stepEnd, end) << "the run waits for the worker";
    wchar_t root[MAX_PATH] = {};
    ::GetPrivateProfileStringW(L"Platform", L"Root", L"", root, MAX_PATH, game.File(L"VorlanGameTool.ini").c_str());
    EXPECT_EQ(std::wstring(root), package);
    EXPECT_GE(FindLine(run.log, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. AssocGamePathSet0 " +
                                    game.File(L"VorlanGameTool.ini") + L" [Platform] Root = " + package + L" Success", 4),
              0);
  }

  std::wstring native_, wow32_;
  std::wstring script_ = TestFolderFor(L".service");
};

}  // namespace

TEST_F(AssocRun, APackageOnADiskConnectedOnRequestIsPreparedWhileTheHiddenDialogWaits) {
  GameFolder game;
  LayOut(game);
  const std::wstring package = game.File(L"vdisk\\pkg");
  RegisterService();
  ServePackage(package);

  bool connected = false, hiddenWhileWaiting = false;
  RunOptions options;
  options.timeoutMs = 60000;
  options.whileRunning = [&](HANDLE process) {
    if (connected) return;
    for (int n = 1; n <= 4 && !connected; ++n)
      connected = ReadBytes(script_ + L"\\request-" + std::to_wstring(n) + L".txt").find("DiskLetter") != std::string::npos;
    if (!connected) return;
    // The worker now waits for the package: so does the run, its dialog hidden.
    hiddenWhileWaiting = DialogOffTheTaskbar(::GetProcessId(process));
    MakeDirectories(game.File(L"vdisk"));
    ::MoveFileW(game.File(L"staging").c_str(), package.c_str());
  };
  LauncherRun run = game.Run(L"NewVorlan 1001", options);
  ASSERT_FALSE(run.timedOut);
  EXPECT_TRUE(connected) << Dump(run.log);
  EXPECT_TRUE(hiddenWhileWaiting);
  const int start = FindLine(run.log, kStart, 4);
  const int worker = FindLine(run.log, L"AssocOption: CVorlanDlg::ProcessAssoc. Worker started, 1 packages", 4);
  const int connect =
      FindLine(run.log, L"AssocOption: CVorlanDlg::AssocThreadProc. ConnectVirtualDisks, 1 packages not reachable", 4);
  const int script = FindLine(run.log, L"PkgRegOption: ApplyPkgRegFile. " + package +
                                           L"\\System32File\\RegInfo\\game.nfd Success, 1 written, 0 skipped", 4);
  const int copy32 = FindLine(run.log, L"AssocOption: CVorlanDlg::AssocThreadProc. Copy " + package + L"\\System32File\\" +
                                           kName32 + L" --> " + wow32_ + L"\\" + kName32 + L" Success", 4);
  const int copy64 = FindLine(run.log, L"AssocOption: CVorlanDlg::AssocThreadProc. Copy " + package + L"\\System32File\\" +
                                           kName64 + L" --> " + native_ + L"\\" + kName64 + L" Success", 4);
  EXPECT_TRUE(start >= 0 && start < worker && worker < connect && connect < script && script < copy32 &&
              copy32 < copy64)
      << Dump(run.log);
  ExpectPrepared(game, package, run);
}

TEST_F(AssocRun, AbsentFailingOrSlowServicesStillEndWithThePackagePrepared) {
  enum class Service { Absent, Failing, Slow };
  for (Service service : {Service::Absent, Service::Failing, Service::Slow}) {
    SCOPED_TRACE(static_cast<int>(service));
    Reset();
    GameFolder game;
    LayOut(game);
    const std::wstring package = game.File(L"vdisk\\pkg");
    ASSERT_TRUE(MakeDirectories(game.File(L"vdisk")));
    ASSERT_TRUE(::MoveFileW(game.File(L"staging").c_str(), package.c_str()));
    if (service == Service::Slow) {
      RegisterService();
      ServePackage(package);
      ASSERT_TRUE(WriteBytes(script_ + L"\\delay-ms.txt", "1500"));
    } else {
      // The client library beside the launcher knows the package.
      ASSERT_TRUE(::CopyFileW(UnixToWine(CAFE_FAKE_BAR_CLIENT_DLL).c_str(), game.File(L"BarClientDll.dll").c_str(), FALSE));
      ASSERT_TRUE(WriteBytes(script_ + L"\\paths.txt", "301=" + ToUtf8(package + L"\\301\\") + "\r\n"));
      if (service == Service::Failing) {
        RegisterService();
        for (int n = 1; n <= 10; ++n)
          ASSERT_TRUE(WriteBytes(script_ + L"\\reply-" + std::to_wstring(n) + L".txt", "status 80004005\n"));
      }
    }
    LauncherRun run = game.Run(L"NewVorlan 1001", {.timeoutMs = 60000});
    ASSERT_FALSE(run.timedOut);
    ExpectPrepared(game, package, run);
    CleanUp();
  }
}
