// The per-file entry point as a program uses it: pkgreg.exe applies several
// files in turn beside ZR_log.dll, and the log says what became of each.

#include <gtest/gtest.h>
#include <windows.h>

#include "pkg_reg_win_support.h"
#include "vtest/files.h"
#include "vtest/launcher_run.h"
#include "vtest/log_lines.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace pkgreg_test;

namespace {

class PkgRegApplyTool : public ::testing::Test {
 protected:
  void SetUp() override {
    vtest::RemoveTree(dir_);
    ASSERT_TRUE(vtest::MakeDirectories(dir_));
    ASSERT_TRUE(::CopyFileW(vtest::UnixToWine(PKGREG_EXE).c_str(), (dir_ + L"\\pkgreg.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(vtest::ZrLogDll().c_str(), (dir_ + L"\\ZR_log.dll").c_str(), FALSE));
    vtest::DeleteTree(HKEY_LOCAL_MACHINE, key_);
  }
  void TearDown() override {
    vtest::DeleteTree(HKEY_LOCAL_MACHINE, key_);
    vtest::RemoveTree(dir_);
  }

  vtest::ProgramRun Apply(const std::wstring& installDir, const std::vector<std::wstring>& files) {
    // A backslash before a closing quote is doubled, or it would escape it.
    std::wstring dir = installDir;
    if (!dir.empty() && dir.back() == L'\\') dir += L'\\';
    std::wstring command = L"\"" + dir_ + L"\\pkgreg.exe\" apply \"" + dir + L"\"";
    for (const auto& f : files) command += L" \"" + f + L"\"";
    vtest::ProgramRun run = vtest::RunProgram(command, {.timeoutMs = 60000, .currentDir = dir_});
    EXPECT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    return run;
  }

  // A file of the given length whose bytes are never written (sparse).
  void MakeLongFile(const std::wstring& path, LONGLONG length) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD ignored = 0;
    ::DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = length;
    EXPECT_TRUE(::SetFilePointerEx(h, at, nullptr, FILE_BEGIN));
    EXPECT_TRUE(::SetEndOfFile(h));
    ::CloseHandle(h);
  }

  std::wstring dir_ = vtest::TestFolderFor();
  const std::wstring key_ = L"Software\\VorlanTests\\PkgRegTool";
};

}  // namespace

TEST_F(PkgRegApplyTool, EachFileIsLoggedAndABadOneDoesNotStopTheNext) {
  const std::wstring split = dir_ + L"\\split.nfd";
  WritePkgRegFile(split,
                  {AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\Split\\V", "x"), AnsiEntry(0, 1, L"HKLM\\NoValue", "x"),
                   AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\Split\\W", "x")});
  const std::wstring corrupt = dir_ + L"\\corrupt.psd";
  ASSERT_TRUE(vtest::WriteBytes(corrupt, std::string("\0\0\0\0\x21\x44\xDF\x1D", 8)));
  const std::wstring good = dir_ + L"\\good.psd";
  WritePkgRegFile(good, {AnsiEntry(0, 1, L"HKLM\\" + key_ + L"\\Good\\Dir", "%InstallDir%\\save"),
                         AnsiEntry(0, 1, L"HKU\\.DEFAULT\\Skipped\\V", "x"),
                         AnsiEntry(1, 4, L"HKLM\\" + key_ + L"\\Good", std::string("\x01\x00\x00\x00", 4))});

  const vtest::ProgramRun run = Apply(L"D:\\\u6e38\u620f\\", {split, corrupt, good});
  EXPECT_EQ(run.exitCode, 1u);
  const auto log = vtest::ReadLogFolder(dir_);
  ASSERT_EQ(log.size(), 3u) << vtest::Dump(log);
  EXPECT_EQ(log[0].level, 32);
  EXPECT_EQ(log[0].text, L"PkgRegOption: ApplyPkgRegFile. " + split +
                             L": entry 1 name \"HKLM\\NoValue\" cannot be split, nothing applied");
  EXPECT_EQ(log[1].level, 32);
  EXPECT_EQ(log[1].text, L"PkgRegOption: ApplyPkgRegFile. Load " + corrupt + L" Failed, nothing applied");
  EXPECT_EQ(log[2].level, 4);
  EXPECT_EQ(log[2].text, L"PkgRegOption: ApplyPkgRegFile. " + good + L" Success, 2 written, 1 skipped");
  EXPECT_EQ(log[0].module, L"pkgreg");

  EXPECT_FALSE(vtest::KeyExists(HKEY_LOCAL_MACHINE, key_ + L"\\Split"));
  EXPECT_EQ(vtest::ReadString(HKEY_LOCAL_MACHINE, key_ + L"\\Good", L"DIR"), L"D:\\\u6e38\u620f\\save");
  EXPECT_EQ(vtest::ReadDword(HKEY_LOCAL_MACHINE, key_ + L"\\Good", L""), 1u);
}

TEST_F(PkgRegApplyTool, AFileTooLargeToHoldIsLoggedAsAFailedAllocation) {
  // Neither fits in a 32-bit process: one cannot be allocated, the other is
  // beyond what a stream can address.
  const std::wstring big = dir_ + L"\\big.nfd";
  const std::wstring huge = dir_ + L"\\huge.nfd";
  MakeLongFile(big, 0x7FFFFFF0LL);
  MakeLongFile(huge, 0x100000008LL);
  const vtest::ProgramRun run = Apply(L"C:\\G", {big, huge});
  EXPECT_EQ(run.exitCode, 1u);
  const auto log = vtest::ReadLogFolder(dir_);
  ASSERT_EQ(log.size(), 4u) << vtest::Dump(log);
  EXPECT_EQ(log[0].level, 32);
  EXPECT_EQ(log[0].text,
            L"CMemAllocMgr Alloc Arr Memory Failed, Size=2147483632,File=PkgRegInfo,Line=114,Fun=CPkgRegFile::Load");
  EXPECT_EQ(log[1].text, L"PkgRegOption: ApplyPkgRegFile. Load " + big + L" Failed, nothing applied");
  EXPECT_EQ(log[2].level, 32);
  EXPECT_EQ(log[2].text,
            L"CMemAllocMgr Alloc Arr Memory Failed, Size=4294967304,File=PkgRegInfo,Line=114,Fun=CPkgRegFile::Load");
  EXPECT_EQ(log[3].text, L"PkgRegOption: ApplyPkgRegFile. Load " + huge + L" Failed, nothing applied");
}
