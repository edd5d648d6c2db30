// Step "Assoc" driven with a step context of the test's own, a client
// service that answers from a table, and system folders of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "assoc_scenario.h"
#include "steps/assoc/win/assoc_step.h"
#include "vtest/files.h"
#include "vtest/recording_step_context.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;
using assoctest::TablePackages;
using vorlan::steps::RunAssocStep;

namespace {

const std::wstring kRegRoot = L"Software\\VorlanAssocTest";

class AssocStep : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(dir_);
    ASSERT_TRUE(MakeDirectories(dir_ + L"\\sys\\native"));
    ASSERT_TRUE(MakeDirectories(dir_ + L"\\sys\\wow32"));
    folders_ = {dir_ + L"\\sys\\native", dir_ + L"\\sys\\wow32", true};
    key_ = kRegRoot + L"\\" + FromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
    DeleteTree(HKEY_CURRENT_USER, key_);
  }
  void TearDown() override { DeleteTree(HKEY_CURRENT_USER, key_); }

  void WriteList(const std::wstring& text) { ASSERT_TRUE(WriteBytes(dir_ + L"\\VorlanAssoc.ini", ToAnsi(text))); }

  // A package folder under the test folder: a registry script file setting
  // <key>\<value> to "%InstallDir%\bin", and system files of both bitnesses
  // and one that is no image.
  std::wstring MakePackage(const std::wstring& relative, const std::string& value = "Path") {
    const std::wstring folder = dir_ + L"\\" + relative;
    EXPECT_TRUE(MakeDirectories(folder + L"\\System32File\\RegInfo"));
    EXPECT_TRUE(WriteBytes(folder + L"\\System32File\\RegInfo\\a.nfd",
                           assoctest::ScriptFile("HKCU\\" + ToAnsi(key_), value, "%InstallDir%\\bin")));
    EXPECT_TRUE(WriteBytes(folder + L"\\System32File\\x86.dll", assoctest::Image32()));
    EXPECT_TRUE(WriteBytes(folder + L"\\System32File\\x64.dll", assoctest::Image64()));
    EXPECT_TRUE(WriteBytes(folder + L"\\System32File\\readme.txt", "not an image"));
    return folder;
  }

  // Runs the step and, when it started the worker, waits for it.
  bool RunAndWait() {
    const bool started = RunAssocStep(context_, service_, worker_, folders_);
    worker_.Wait();
    return started;
  }

  std::wstring dir_ = TestFolderFor();
  std::wstring key_;
  assoc::SystemFolders folders_;
  RecordingStepContext context_{dir_};
  TablePackages service_;
  assoc::AssocWorker worker_;
};

}  // namespace

TEST_F(AssocStep, PreparesEveryPackageOnTheWorkerAndReportsEach) {
  const std::wstring first = MakePackage(L"disk\\first", "First");
  const std::wstring second = MakePackage(L"disk\\second", "Second");
  service_.paths = {{301, first}, {302, second}};
  WriteList(L"[Assoc]\r\nNum=2\r\n[Assoc0]\r\nPkgId=301\r\n[Assoc1]\r\nPkgId=302\r\n");

  DWORD workerThread = 0;
  service_.onQuery = [&] { workerThread = ::GetCurrentThreadId(); };
  ASSERT_TRUE(RunAndWait());
  EXPECT_NE(workerThread, ::GetCurrentThreadId()) << "the packages are asked for on the worker";
  EXPECT_EQ(service_.Asked(), (std::vector<std::vector<std::uint32_t>>{{301, 302}}));
  EXPECT_EQ(service_.connects, 0);

  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"FIRST"), first + L"\\bin");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"SECOND"), second + L"\\bin");
  EXPECT_EQ(ReadBytes(folders_.native + L"\\x64.dll"), assoctest::Image64());
  EXPECT_EQ(ReadBytes(folders_.wow32 + L"\\x86.dll"), assoctest::Image32());
  EXPECT_EQ(ReadBytes(folders_.wow32 + L"\\readme.txt"), "not an image");
  EXPECT_FALSE(FileExists(folders_.native + L"\\x86.dll"));
  EXPECT_FALSE(FileExists(folders_.wow32 + L"\\x64.dll"));
  EXPECT_EQ(context_.Printed(),
            (std::vector<std::wstring>{
                L"Package 301 " + first + L" Success, 1 registry files, 3 system files copied, 0 kept",
                L"Package 302 " + second + L" Success, 1 registry files, 3 system files copied, 0 kept"}));
}

TEST_F(AssocStep, WithoutAUsablePackageIdNoWorkerRuns) {
  const wchar_t* lists[] = {
      nullptr,  // no VorlanAssoc.ini
      L"[Assoc]\r\nNum=0\r\n[Assoc0]\r\nPkgId=301\r\n",
      L"[Assoc]\r\nNum=2\r\n[Assoc0]\r\nPkgId=abc\r\n[Assoc1]\r\nPkgId=0\r\n",
      L"[Assoc]\r\nNum=1\r\nWaitSeconds=0\r\n[Assoc0]\r\nPkgId= 301 \r\n",
  };
  for (const wchar_t* list : lists) {
    if (list) WriteList(list);
    assoc::AssocWorker worker;
    const bool started = RunAssocStep(context_, service_, worker, folders_);
    EXPECT_EQ(started, list == lists[3]) << (list ? ToUtf8(list) : "no file");
    worker.Wait();
  }
  // Only the list with an id reaches the service: asked once, and once more
  // after the disks were connected (it does not know the package).
  EXPECT_EQ(service_.Asked(), (std::vector<std::vector<std::uint32_t>>{{301}, {301}}));
  EXPECT_EQ(service_.connects, 1);
}

TEST_F(AssocStep, ASecondAssocStartsNoSecondWorker) {
  service_.paths = {{301, MakePackage(L"disk\\p")}};
  WriteList(L"[Assoc]\r\nNum=1\r\n[Assoc0]\r\nPkgId=301\r\n");
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  service_.onQuery = [&] { ::WaitForSingleObject(release, 10000); };

  EXPECT_TRUE(RunAssocStep(context_, service_, worker_, folders_));
  // While the first one runs, the pipeline is told to wait for that one.
  EXPECT_TRUE(RunAssocStep(context_, service_, worker_, folders_));
  ::SetEvent(release);
  worker_.Wait();
  // After it ended, nothing is left to wait for.
  EXPECT_FALSE(RunAssocStep(context_, service_, worker_, folders_));
  worker_.Wait();
  ::CloseHandle(release);
  EXPECT_EQ(service_.Asked().size(), 1u);
  EXPECT_EQ(context_.Printed().size(), 1u);
}

TEST_F(AssocStep, APackageNotReachableYetIsWaitedForAfterTheDisksAreConnected) {
  const std::wstring folder = dir_ + L"\\vdisk\\late";
  service_.paths = {{301, folder}};
  // The disk comes a moment after it was asked for.
  std::atomic<bool> madeLate{false};
  service_.onConnect = [&] {
    std::thread([&] {
      ::Sleep(600);
      MakePackage(L"vdisk\\late");
      madeLate = true;
    }).detach();
  };
  WriteList(L"[Assoc]\r\nNum=1\r\nWaitSeconds=20\r\n[Assoc0]\r\nPkgId=301\r\n");
  ASSERT_TRUE(RunAndWait());
  EXPECT_TRUE(madeLate);
  EXPECT_EQ(service_.connects, 1);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"PATH"), folder + L"\\bin");
  EXPECT_EQ(context_.Printed(), (std::vector<std::wstring>{L"Package 301 " + folder +
                                                           L" Success, 1 registry files, 3 system files copied, 0 kept"}));
}

TEST_F(AssocStep, BadPackagesFailWithTheirReasonAndTheOthersGoOn) {
  const std::wstring good = MakePackage(L"disk\\good");
  const std::wstring never = dir_ + L"\\vdisk\\never";
  service_.paths = {{402, never}, {403, good}};
  service_.unrelated = 5000;  // a reply full of packages nobody asked for
  WriteList(L"[Assoc]\r\nNum=5\r\nWaitSeconds=1\r\n"
            L"[Assoc0]\r\nPkgId=401\r\n[Assoc1]\r\nPkgId=402\r\n[Assoc2]\r\nPkgId=4x\r\n"
            L"[Assoc3]\r\nPkgId=403\r\n[Assoc4]\r\nPkgId=401\r\n");
  const ULONGLONG start = ::GetTickCount64();
  ASSERT_TRUE(RunAndWait());
  EXPECT_LT(::GetTickCount64() - start, 15000u) << "the wait for a package is bounded";
  EXPECT_EQ(service_.connects, 1);
  ASSERT_FALSE(service_.Asked().empty());
  EXPECT_EQ(service_.Asked().front(), (std::vector<std::uint32_t>{401, 402, 403}));
  EXPECT_EQ(context_.Printed(),
            (std::vector<std::wstring>{
                L"Package 401 Failed, unknown to the client service",
                L"Package 402 Failed, " + never + L" did not appear within 1 s",
                L"Package 403 " + good + L" Success, 1 registry files, 3 system files copied, 0 kept"}));
}

TEST_F(AssocStep, ADamagedScriptFileFailsAloneAndTheNextIsApplied) {
  const std::wstring folder = MakePackage(L"disk\\p");
  // "0.nfd" comes first and its checksum does not match; "b.psd" after it is good.
  std::string damaged = assoctest::ScriptFile("HKCU\\" + ToAnsi(key_), "Damaged", "x");
  damaged.back() ^= 0x55;
  ASSERT_TRUE(WriteBytes(folder + L"\\System32File\\RegInfo\\0.nfd", damaged));
  ASSERT_TRUE(WriteBytes(folder + L"\\System32File\\RegInfo\\b.psd",
                         assoctest::ScriptFile("HKCU\\" + ToAnsi(key_), "Later", "%InstallDir%")));
  service_.paths = {{301, folder}};
  WriteList(L"[Assoc]\r\nNum=1\r\n[Assoc0]\r\nPkgId=301\r\n");
  ASSERT_TRUE(RunAndWait());
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, key_, L"DAMAGED").has_value());
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"PATH"), folder + L"\\bin");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"LATER"), folder);
  EXPECT_EQ(context_.Printed(), (std::vector<std::wstring>{
                                    L"Package 301 " + folder +
                                    L" Failed, 1 of 3 registry files and 0 of 3 system files failed"}));
}

TEST_F(AssocStep, ExistingSystemFilesAreReplacedOnlyByNewerOnesAndNeverHalf) {
  constexpr ULONGLONG kOld = 130000000000000000ull, kNew = 132000000000000000ull;
  enum class Target { Missing, Older, Newer, OlderReadOnly, OlderLocked };
  struct Row {
    Target target;
    const char* content;  // of x86.dll in the system folder afterwards
    const wchar_t* counts;
  };
  const Row rows[] = {
      {Target::Missing, "package", L"Success, 0 registry files, 1 system files copied, 0 kept"},
      {Target::Older, "package", L"Success, 0 registry files, 1 system files copied, 0 kept"},
      {Target::Newer, "system", L"Success, 0 registry files, 0 system files copied, 1 kept"},
      {Target::OlderReadOnly, "system", L"Failed, 0 of 0 registry files and 1 of 1 system files failed"},
      {Target::OlderLocked, "system", L"Failed, 0 of 0 registry files and 1 of 1 system files failed"},
  };
  std::uint32_t id = 500;
  for (const Row& row : rows) {
    ++id;
    const std::wstring folder = dir_ + L"\\disk\\" + std::to_wstring(id);
    const std::wstring source = folder + L"\\System32File\\x86.dll";
    const std::wstring target = folders_.wow32 + L"\\x86.dll";
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(target.c_str());
    ASSERT_TRUE(MakeDirectories(folder + L"\\System32File"));
    ASSERT_TRUE(WriteBytes(source, assoctest::Image32() + "package"));
    ASSERT_TRUE(assoctest::SetWriteTime(source, kNew));
    if (row.target != Target::Missing) {
      ASSERT_TRUE(WriteBytes(target, assoctest::Image32() + "system"));
      ASSERT_TRUE(assoctest::SetWriteTime(target, row.target == Target::Newer ? kNew + 1 : kOld));
    }
    if (row.target == Target::OlderReadOnly) ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (row.target == Target::OlderLocked)
      lock = ::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    service_.paths = {{id, folder}};
    WriteList(L"[Assoc]\r\nNum=1\r\n[Assoc0]\r\nPkgId=" + std::to_wstring(id) + L"\r\n");
    assoc::AssocWorker worker;
    const std::size_t printed = context_.Printed().size();
    EXPECT_TRUE(RunAssocStep(context_, service_, worker, folders_));
    worker.Wait();
    if (lock != INVALID_HANDLE_VALUE) ::CloseHandle(lock);

    EXPECT_EQ(ReadBytes(target), assoctest::Image32() + row.content) << "row " << id;
    EXPECT_FALSE(FileExists(target + L".vorlan-new")) << "row " << id;
    ASSERT_EQ(context_.Printed().size(), printed + 1);
    EXPECT_EQ(context_.Printed().back(), L"Package " + std::to_wstring(id) + L" " + folder + L" " + row.counts);
  }
}
