// The single-file copy and the folder-tree copy the steps share, on the
// file system of a Wine prefix.

#include "platform/win/file_copy.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/files.h"
#include "vtest/scratch_folder_test.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

class FileCopy : public ScratchFolderTest {
 protected:

};

}  // namespace

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
  EXPECT_FALSE(OS::CopyFolderTree(P(L"dst"), P(L"src")));
  EXPECT_EQ(ReadBytes(P(L"dst\\a.txt")), "a");
  EXPECT_EQ(ReadBytes(P(L"dst\\sub\\zz.txt")), "zz");
  EXPECT_TRUE(DirectoryExists(P(L"dst\\sub\\z.txt")));
  // A file is not a folder to copy from.
  EXPECT_FALSE(OS::CopyFolderTree(P(L"dst2"), P(L"src\\a.txt")));
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
