// The single-file copy and the folder-tree copy the steps share, on the
// file system of a Wine prefix.

#include "platform/win/file_copy.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>

#include "platform/win/scoped_resource.h"

#include "vtest/files.h"
#include "vtest/scratch_folder_test.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

class FileCopy : public ScratchFolderTest {
 protected:
  FILETIME LastWrite(const std::wstring& relative) const {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(::GetFileAttributesExW(P(relative).c_str(), GetFileExInfoStandard, &data)) << ToUtf8(relative);
    return data.ftLastWriteTime;
  }
  // Sets a file's last-write time, `seconds` after `from`'s.
  void SetLastWrite(const std::wstring& relative, const std::wstring& from, int seconds) const {
    const FILETIME base = LastWrite(from);
    ULARGE_INTEGER t;
    t.LowPart = base.dwLowDateTime;
    t.HighPart = base.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(seconds) * 10000000);
    const FILETIME time = {t.LowPart, t.HighPart};
    OS::ScopedHandle file(::CreateFileW(P(relative).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file) << ToUtf8(relative);
    ASSERT_TRUE(::SetFileTime(file.Get(), nullptr, nullptr, &time));
  }
  bool SameLastWrite(const std::wstring& a, const std::wstring& b) const {
    const FILETIME ta = LastWrite(a), tb = LastWrite(b);
    return ::CompareFileTime(&ta, &tb) == 0;
  }
  void SetReadOnly(const std::wstring& relative, bool on) const {
    ASSERT_TRUE(::SetFileAttributesW(P(relative).c_str(), on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
  }
  bool IsReadOnly(const std::wstring& relative) const {
    const DWORD attributes = ::GetFileAttributesW(P(relative).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  }
};


}  // namespace

namespace vorlan {
void PrintTo(const CopyCounts& c, std::ostream* out) {
  *out << "{copied " << c.copied << ", already there " << c.alreadyThere << "}";
}
}  // namespace vorlan

TEST_F(FileCopy, TreeIsCopiedWholeAndReplacesFilesOfTheSameName) {
  Put(L"src\\top.txt", "top");
  Put(L"src\\sub\\deeper\\save.dat", "deep");
  Put(L"src\\sub\\b.txt", "b");
  MakeDirectories(P(L"src\\empty"));
  Put(L"dst\\top.txt", "old");
  Put(L"dst\\mine.txt", "stays");

  EXPECT_TRUE(OS::CopyFolderTree(P(L"dst"), P(L"src")));
  EXPECT_EQ(ReadBytes(P(L"dst\\top.txt")), "top");
  EXPECT_EQ(ReadBytes(P(L"dst\\sub\\deeper\\save.dat")), "deep");
  EXPECT_EQ(ReadBytes(P(L"dst\\sub\\b.txt")), "b");
  EXPECT_TRUE(DirectoryExists(P(L"dst\\empty")));
  EXPECT_EQ(ReadBytes(P(L"dst\\mine.txt")), "stays");
  EXPECT_EQ(ReadBytes(P(L"src\\top.txt")), "top");
}

TEST_F(FileCopy, MissingDestinationIsCreatedWithItsParents) {
  Put(L"src\\a.txt", "a");
  EXPECT_TRUE(OS::CopyFolderTree(P(L"x\\y\\z\\"), P(L"src")));
  EXPECT_EQ(ReadBytes(P(L"x\\y\\z\\a.txt")), "a");
}

// (A file in use at the top of the tree: see the copy step's own tests.)
TEST_F(FileCopy, AFailureDeepDownFailsTheWholeTreeAndTheRestIsStillCopied) {
  Put(L"src\\a.txt", "a");
  Put(L"src\\sub\\z.txt", "z");
  Put(L"src\\sub\\zz.txt", "zz");
  MakeDirectories(P(L"dst\\sub\\z.txt"));  // a folder where a file should go
  vorlan::CopyCounts counts;
  EXPECT_FALSE(OS::CopyFolderTree(P(L"dst"), P(L"src"), &counts));
  EXPECT_EQ(counts, (vorlan::CopyCounts{2, 0}));
  EXPECT_EQ(ReadBytes(P(L"dst\\a.txt")), "a");
  EXPECT_EQ(ReadBytes(P(L"dst\\sub\\zz.txt")), "zz");
  EXPECT_TRUE(DirectoryExists(P(L"dst\\sub\\z.txt")));
  // Again: the folder is never taken for the file, which fails once more.
  EXPECT_FALSE(OS::CopyFolderTree(P(L"dst"), P(L"src"), &counts));
  EXPECT_EQ(counts, (vorlan::CopyCounts{0, 2}));
  EXPECT_TRUE(DirectoryExists(P(L"dst\\sub\\z.txt")));
  // A file is not a folder to copy from.
  EXPECT_FALSE(OS::CopyFolderTree(P(L"dst2"), P(L"src\\a.txt")));
}

TEST_F(FileCopy, ARepeatedTreeCopyCopiesOnlyWhatDiffersFromTheSource) {
  for (const wchar_t* name : {L"a.txt", L"e.txt", L"f.txt", L"g.txt", L"sub\\b.txt", L"sub\\c.txt", L"sub\\deep\\d.txt"}) {
    Put(std::wstring(L"src\\") + name, ToUtf8(name));
  }
  vorlan::CopyCounts counts;
  ASSERT_TRUE(OS::CopyFolderTree(P(L"dst"), P(L"src"), &counts));
  EXPECT_EQ(counts, (vorlan::CopyCounts{7, 0}));
  // A copy keeps the source's time, so the next run finds every file there.
  ASSERT_TRUE(OS::CopyFolderTree(P(L"dst"), P(L"src"), &counts));
  EXPECT_EQ(counts, (vorlan::CopyCounts{0, 7}));

  Put(L"src\\a.txt", "a, longer now");                     // the source changed: other size
  Put(L"src\\h.txt", "h");                                 // a new source file
  SetLastWrite(L"dst\\sub\\b.txt", L"src\\sub\\b.txt", 1);     // the destination a second newer
  SetLastWrite(L"dst\\sub\\c.txt", L"src\\sub\\c.txt", -1);    // a second older
  SetReadOnly(L"dst\\e.txt", false);
  Put(L"dst\\e.txt", "changed by the game");               // read-only and different
  SetReadOnly(L"dst\\e.txt", true);
  SetReadOnly(L"dst\\f.txt", true);                        // read-only and the same
  Put(L"dst\\g.txt", "G.TXT");                             // changed in place, size and time kept
  SetLastWrite(L"dst\\g.txt", L"src\\g.txt", 0);
  RemoveTree(P(L"dst\\sub\\deep"));                          // a folder gone
  ASSERT_TRUE(OS::CopyFolderTree(P(L"dst"), P(L"src"), &counts));
  EXPECT_EQ(counts, (vorlan::CopyCounts{6, 2}));

  EXPECT_EQ(ReadBytes(P(L"dst\\a.txt")), "a, longer now");
  EXPECT_EQ(ReadBytes(P(L"dst\\h.txt")), "h");
  EXPECT_EQ(ReadBytes(P(L"dst\\sub\\deep\\d.txt")), "sub\\deep\\d.txt");
  // Wine replaces a read-only file as it would any other (Windows refuses,
  // as it did before a destination was ever looked at).
  EXPECT_EQ(ReadBytes(P(L"dst\\e.txt")), "e.txt");
  EXPECT_TRUE(IsReadOnly(L"dst\\f.txt"));
  EXPECT_EQ(ReadBytes(P(L"dst\\g.txt")), "G.TXT");  // as mirroring tools do
  for (const wchar_t* name : {L"sub\\b.txt", L"sub\\c.txt"}) {
    EXPECT_EQ(ReadBytes(P(std::wstring(L"dst\\") + name)), ToUtf8(name));
    EXPECT_TRUE(SameLastWrite(std::wstring(L"dst\\") + name, std::wstring(L"src\\") + name));
  }
  ASSERT_TRUE(OS::CopyFolderTree(P(L"dst"), P(L"src"), &counts));
  EXPECT_EQ(counts, (vorlan::CopyCounts{0, 8}));
  SetReadOnly(L"dst\\e.txt", false);
  SetReadOnly(L"dst\\f.txt", false);
}

TEST_F(FileCopy, SingleFileNeverReplacesWhenAskedNotTo) {
  Put(L"a.txt", "new");
  Put(L"b.txt", "old");
  EXPECT_FALSE(OS::CopySingleFile(P(L"a.txt"), P(L"b.txt"), true));
  EXPECT_EQ(ReadBytes(P(L"b.txt")), "old");
  EXPECT_TRUE(OS::CopySingleFile(P(L"a.txt"), P(L"c.txt"), true));
  EXPECT_EQ(ReadBytes(P(L"c.txt")), "new");
  // The destination folder is not made.
  EXPECT_FALSE(OS::CopySingleFile(P(L"a.txt"), P(L"no\\such\\folder\\a.txt"), true));
  EXPECT_FALSE(DirectoryExists(P(L"no")));
  EXPECT_FALSE(OS::CopySingleFile(P(L"missing.txt"), P(L"d.txt"), false));
  EXPECT_FALSE(FileExists(P(L"d.txt")));
}

TEST_F(FileCopy, SingleFileReplacingGetsPastAProtectedTarget) {
  // On Windows the first copy onto a read-only or system file fails and the
  // attribute-clearing retry does the work; Wine replaces such files at the
  // first attempt, so only the outcome is checked here.
  Put(L"a.txt", "new");
  Put(L"b.txt", "old");
  ASSERT_TRUE(::SetFileAttributesW(P(L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_TRUE(OS::CopySingleFile(P(L"a.txt"), P(L"b.txt"), false));
  EXPECT_EQ(ReadBytes(P(L"b.txt")), "new");
  ::SetFileAttributesW(P(L"b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

  // A target that cannot be replaced at all stays as it was.
  HANDLE held = ::CreateFileW(P(L"b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Put(L"c.txt", "newer");
  EXPECT_FALSE(OS::CopySingleFile(P(L"c.txt"), P(L"b.txt"), false));
  ::CloseHandle(held);
  EXPECT_EQ(ReadBytes(P(L"b.txt")), "new");
}

TEST_F(FileCopy, CreateDirectoriesStopsAtAFileInTheWay) {
  Put(L"blocker", "file");
  EXPECT_FALSE(OS::CreateDirectories(P(L"blocker\\sub")));
  EXPECT_EQ(ReadBytes(P(L"blocker")), "file");
  EXPECT_TRUE(OS::CreateDirectories(P(L"a\\b\\c")));
  EXPECT_TRUE(OS::CreateDirectories(P(L"a\\b\\c")));
  EXPECT_FALSE(OS::CreateDirectories(L""));
}
