// The junction records and the recovery of folders moved aside, driven in
// this process on a record file of the test's own. Wine cannot make
// junctions (the volume does not report reparse-point support), so what
// needs a real junction is checked on the byte layout natively and the
// rest here: records written and read back, what is not a junction left
// alone, folders moved aside put back without losing a file.

#include "steps/files/win/junction_records_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "steps/files/win/junction_point.h"
#include "vtest/files.h"
#include "vtest/scratch_folder_test.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

class JunctionRecordsTest : public ScratchFolderTest {
 protected:
  vorlan::JunctionRecordSet Load() const {
    JunctionRecordFile file(recordFile_);
    return vorlan::LoadRecords(file);
  }
  void RecordOldFolder(const std::wstring& dst, const std::wstring& old) const {
    JunctionRecordFile file(recordFile_);
    ASSERT_TRUE(vorlan::AppendOldFolder(file, {P(dst), P(old)}));
  }

  std::wstring recordFile_ = dir_ + L"\\JunctionCfgInfo.ini";
};

}  // namespace

TEST_F(JunctionRecordsTest, RecordsAreWrittenAsUtf16AndReadBackWhateverThePath) {
  CJunctionRecords records(recordFile_);
  // A Thai letter has no place in code page 936; the records keep it all the same.
  const std::wstring odd = P(L"\x0E01\x6E38\x620F");
  ASSERT_TRUE(records.WriteJunctionRecord(P(L"game\\save"), odd, true));
  ASSERT_TRUE(records.WriteJunctionRecord(P(L"game\\cfg"), P(L"kept"), false));

  const std::string bytes = ReadBytes(recordFile_);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  const auto set = Load();
  ASSERT_EQ(set.junctions.size(), 2u);
  EXPECT_EQ(set.junctions[0].dst, odd);
  EXPECT_EQ(set.junctions[0].src, P(L"game\\save"));
  EXPECT_TRUE(set.junctions[0].made);
  EXPECT_EQ(set.junctions[1].dst, P(L"kept"));
  EXPECT_FALSE(set.junctions[1].made);
}

TEST_F(JunctionRecordsTest, WhatIsNoLongerAJunctionIsLeftAloneAndItsRecordDropped) {
  Put(L"plain\\keep.txt", "mine");
  CJunctionRecords records(recordFile_);
  ASSERT_TRUE(records.WriteJunctionRecord(P(L"game\\save"), P(L"plain"), true));
  ASSERT_TRUE(records.WriteJunctionRecord(P(L"game\\save"), P(L"absent"), true));
  records.RemoveJunctionCfg();
  EXPECT_EQ(ReadBytes(P(L"plain\\keep.txt")), "mine");
  EXPECT_TRUE(Load().junctions.empty());
  // Without a record file there is nothing to do and nothing is made.
  CJunctionRecords none(P(L"none.ini"));
  none.RemoveJunctionCfg();
  EXPECT_FALSE(FileExists(P(L"none.ini")));
}

TEST_F(JunctionRecordsTest, APlaceMovedAsideTwiceGetsTheLatestFolderFirst) {
  Put(L"cfg.VorlanOld\\first.txt", "1");
  Put(L"cfg.VorlanOld1\\second.txt", "2");
  RecordOldFolder(L"cfg", L"cfg.VorlanOld");
  RecordOldFolder(L"cfg", L"cfg.VorlanOld1");
  CJunctionRecords records(recordFile_);
  records.RemoveJunctionCfg();
  EXPECT_EQ(ReadBytes(P(L"cfg\\second.txt")), "2");
  EXPECT_EQ(ReadBytes(P(L"cfg.VorlanOld\\first.txt")), "1");
  auto set = Load();
  ASSERT_EQ(set.oldFolders.size(), 1u);
  EXPECT_EQ(set.oldFolders[0].old, P(L"cfg.VorlanOld"));
}

TEST_F(JunctionRecordsTest, MoveAndLinkPutsTheFolderBackWhenNoJunctionCanBeMade) {
  Put(L"save\\a.txt", "a");
  Put(L"save\\sub\\b.txt", "b");
  Put(L"save.VorlanOld\\not-ours.txt", "n");  // a name already taken beside it
  Put(L"game\\save\\g.txt", "g");
  CJunctionRecords records(recordFile_);
  EXPECT_FALSE(records.OldFileMgr(P(L"game\\save"), P(L"save")));
  EXPECT_EQ(ReadBytes(P(L"save\\a.txt")), "a");
  EXPECT_EQ(ReadBytes(P(L"save\\sub\\b.txt")), "b");
  EXPECT_FALSE(FileExists(P(L"save\\g.txt")));
  EXPECT_EQ(ReadBytes(P(L"save.VorlanOld\\not-ours.txt")), "n");
  EXPECT_FALSE(DirectoryExists(P(L"save.VorlanOld1")));
  const auto set = Load();
  EXPECT_TRUE(set.oldFolders.empty());
  EXPECT_TRUE(set.junctions.empty());

  // Nothing there to move: nothing is made either.
  EXPECT_FALSE(records.OldFileMgr(P(L"game\\save"), P(L"new-place")));
  EXPECT_FALSE(DirectoryExists(P(L"new-place")));
}

TEST_F(JunctionRecordsTest, JunctionCreationFailsUnderWineWithoutLeavingAFolderBehind) {
  Put(L"target\\t.txt", "t");
  for (int mode : {0, 1, 3}) {
    EXPECT_EQ(CreateJunction(P(L"link\\deep"), P(L"target"), mode), JunctionOutcome::Failed) << mode;
    EXPECT_FALSE(DirectoryExists(P(L"link\\deep"))) << mode;
  }
  Put(L"full\\f.txt", "f");
  EXPECT_EQ(CreateJunction(P(L"full"), P(L"target"), 3), JunctionOutcome::Failed);
  EXPECT_EQ(ReadBytes(P(L"full\\f.txt")), "f");
  EXPECT_EQ(CreateJunction(L"", P(L"target"), 0), JunctionOutcome::Failed);
  EXPECT_EQ(CreateJunction(P(L"x"), L"", 0), JunctionOutcome::Failed);
  // Without a target an empty link folder is taken away, a full one stays.
  ASSERT_TRUE(::CreateDirectoryW(P(L"empty-link").c_str(), nullptr));
  EXPECT_EQ(CreateJunction(P(L"empty-link"), L"", 1), JunctionOutcome::Failed);
  EXPECT_FALSE(DirectoryExists(P(L"empty-link")));
  EXPECT_EQ(CreateJunction(P(L"full"), L"", 1), JunctionOutcome::Failed);
  EXPECT_EQ(ReadBytes(P(L"full\\f.txt")), "f");
  // A plain folder is no junction to remove.
  EXPECT_FALSE(RemoveJunction(P(L"full")));
  EXPECT_EQ(ReadBytes(P(L"full\\f.txt")), "f");
  EXPECT_FALSE(IsReparsePoint(P(L"full")));
  EXPECT_FALSE(JunctionTarget(P(L"full")).has_value());
}

// Another run (here: another thread) holding the records: this run waits
// for it up to its limit, then touches neither the records nor the folders.
// A run that ended while it held them does not block the next.
TEST_F(JunctionRecordsTest, RecordsHeldByAnotherRunAreLeftAloneAndAnAbandonedHoldIsTakenOver) {
  enum class Holder { None, Holding, EndedWhileHolding };
  struct Row {
    const char* name;
    Holder holder;
    bool acts;
  };
  const Row rows[] = {{"free", Holder::None, true},
                      {"held", Holder::Holding, false},
                      {"abandoned", Holder::EndedWhileHolding, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ::DeleteFileW(recordFile_.c_str());
    RemoveTree(P(L"cfg"));
    RemoveTree(P(L"save"));
    Put(L"cfg.VorlanOld\\a.txt", "a");
    Put(L"save\\s.txt", "s");
    Put(L"game\\save\\g.txt", "g");
    RecordOldFolder(L"cfg", L"cfg.VorlanOld");
    const std::string before = ReadBytes(recordFile_);

    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE owned = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder;
    if (row.holder != Holder::None) {
      holder = std::thread([&] {
        HANDLE mutex = ::CreateMutexW(nullptr, TRUE, vorlan::RecordLockName(recordFile_).c_str());
        ::SetEvent(owned);
        if (row.holder == Holder::Holding) {
          ::WaitForSingleObject(release, INFINITE);
          ::ReleaseMutex(mutex);
        }
        ::CloseHandle(mutex);  // EndedWhileHolding: the thread ends owning it
      });
      ::WaitForSingleObject(owned, INFINITE);
      if (row.holder == Holder::EndedWhileHolding) holder.join();
    }

    CJunctionRecords records(recordFile_, 200);
    records.RemoveJunctionCfg();
    EXPECT_EQ(DirectoryExists(P(L"cfg")), row.acts);
    EXPECT_EQ(DirectoryExists(P(L"cfg.VorlanOld")), !row.acts);
    if (!row.acts) {
      EXPECT_EQ(ReadBytes(recordFile_), before);
    }
    EXPECT_FALSE(records.OldFileMgr(P(L"game\\save"), P(L"save")));  // Wine: no junction, or no lock
    EXPECT_EQ(ReadBytes(P(L"save\\s.txt")), "s");
    EXPECT_FALSE(DirectoryExists(P(L"save.VorlanOld")));
    EXPECT_EQ(records.WriteJunctionRecord(P(L"game\\save"), P(L"save"), false), row.acts);
    EXPECT_EQ(Load().junctions.size(), row.acts ? 1u : 0u);

    ::SetEvent(release);
    if (holder.joinable()) holder.join();
    ::CloseHandle(release);
    ::CloseHandle(owned);
  }
}
