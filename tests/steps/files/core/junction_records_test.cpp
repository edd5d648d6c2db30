#include "steps/files/core/junction_records.h"

#include <gtest/gtest.h>

#include <map>

using vorlan::JunctionRecordSet;

namespace {

// The record file as a map of sections, counting what is written.
class MapStore : public vorlan::RecordStore {
 public:
  std::wstring Read(const std::wstring& section, const std::wstring& key) const override {
    auto s = sections.find(section);
    if (s == sections.end()) return L"";
    auto k = s->second.find(key);
    return k == s->second.end() ? L"" : k->second;
  }
  bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override {
    if (failWrites) return false;
    sections[section][key] = value;
    writes.push_back(section + L"." + key);
    return true;
  }
  bool DeleteSection(const std::wstring& section) override {
    sections.erase(section);
    return true;
  }
  std::map<std::wstring, std::map<std::wstring, std::wstring>> sections;
  std::vector<std::wstring> writes;
  bool failWrites = false;
};

}  // namespace

TEST(JunctionRecords, AppendedRecordsAreReadBackInOrder) {
  MapStore store;
  ASSERT_TRUE(vorlan::AppendJunction(store, {L"C:\\u\\Save", L"X:\\g\\Save", true}));
  ASSERT_TRUE(vorlan::AppendJunction(store, {L"C:\\u\\Kept", L"X:\\g\\Kept", false}));
  ASSERT_TRUE(vorlan::AppendOldFolder(store, {L"C:\\u\\Cfg", L"C:\\u\\Cfg.VorlanOld"}));

  EXPECT_EQ(store.Read(L"Junctions", L"Num"), L"2");
  EXPECT_EQ(store.Read(L"Junction_1", L"Dst"), L"C:\\u\\Kept");
  EXPECT_EQ(store.Read(L"Junction_1", L"Made"), L"0");
  EXPECT_EQ(store.Read(L"OldFolder_0", L"Old"), L"C:\\u\\Cfg.VorlanOld");

  const JunctionRecordSet set = vorlan::LoadRecords(store);
  ASSERT_EQ(set.junctions.size(), 2u);
  EXPECT_EQ(set.junctions[0].dst, L"C:\\u\\Save");
  EXPECT_EQ(set.junctions[0].src, L"X:\\g\\Save");
  EXPECT_TRUE(set.junctions[0].made);
  EXPECT_FALSE(set.junctions[1].made);
  ASSERT_EQ(set.oldFolders.size(), 1u);
  EXPECT_EQ(set.oldFolders[0].dst, L"C:\\u\\Cfg");
  EXPECT_EQ(set.oldFolders[0].old, L"C:\\u\\Cfg.VorlanOld");
}

TEST(JunctionRecords, TheCountIsWrittenAfterItsEntry) {
  MapStore store;
  ASSERT_TRUE(vorlan::AppendJunction(store, {L"C:\\a", L"X:\\a", true}));
  ASSERT_FALSE(store.writes.empty());
  EXPECT_EQ(store.writes.back(), L"Junctions.Num");
  store.failWrites = true;
  EXPECT_FALSE(vorlan::AppendOldFolder(store, {L"C:\\b", L"C:\\b.VorlanOld"}));
  EXPECT_TRUE(vorlan::LoadRecords(store).oldFolders.empty());
}

TEST(JunctionRecords, DamagedOrForeignContentIsNotTakenForRecords) {
  MapStore store;
  store.sections[L"Junctions"][L"Num"] = L"3";
  store.sections[L"Junction_0"][L"Dst"] = L"C:\\a";
  store.sections[L"Junction_0"][L"Src"] = L"X:\\a";
  // Junction_1 missing, Junction_2 without a place.
  store.sections[L"Junction_2"][L"Src"] = L"X:\\c";
  store.sections[L"OldFolders"][L"Num"] = L"x1";
  store.sections[L"OldFolder_0"][L"Dst"] = L"C:\\o";
  store.sections[L"OldFolder_0"][L"Old"] = L"C:\\o.VorlanOld";
  const JunctionRecordSet set = vorlan::LoadRecords(store);
  ASSERT_EQ(set.junctions.size(), 1u);
  EXPECT_TRUE(set.junctions[0].made);  // no "Made" key: made by the program
  EXPECT_TRUE(set.oldFolders.empty());

  // A count far beyond reason is clipped rather than walked.
  store.sections[L"Junctions"][L"Num"] = L"99999999999999999999";
  EXPECT_EQ(vorlan::LoadRecords(store).junctions.size(), 1u);
  store.sections[L"Junctions"][L"Num"] = L"-1";
  EXPECT_TRUE(vorlan::LoadRecords(store).junctions.empty());
}

TEST(JunctionRecords, ReplacingLeavesExactlyTheGivenRecords) {
  MapStore store;
  for (int i = 0; i < 3; ++i) vorlan::AppendJunction(store, {L"C:\\j" + std::to_wstring(i), L"X:\\j", true});
  for (int i = 0; i < 2; ++i) vorlan::AppendOldFolder(store, {L"C:\\o" + std::to_wstring(i), L"C:\\o.old"});
  JunctionRecordSet keep;
  keep.oldFolders.push_back({L"C:\\o1", L"C:\\o1.VorlanOld"});
  ASSERT_TRUE(vorlan::ReplaceRecords(store, keep));
  const JunctionRecordSet set = vorlan::LoadRecords(store);
  EXPECT_TRUE(set.junctions.empty());
  ASSERT_EQ(set.oldFolders.size(), 1u);
  EXPECT_EQ(set.oldFolders[0].dst, L"C:\\o1");
  EXPECT_EQ(store.sections.count(L"Junction_2"), 0u);
  EXPECT_EQ(store.sections.count(L"OldFolder_1"), 0u);
  ASSERT_TRUE(vorlan::ReplaceRecords(store, {}));
  EXPECT_EQ(store.Read(L"Junctions", L"Num"), L"0");
  EXPECT_EQ(store.Read(L"OldFolders", L"Num"), L"0");
  EXPECT_EQ(store.sections.count(L"OldFolder_0"), 0u);
}

TEST(JunctionRecords, OldFolderNamesAndPlaces) {
  EXPECT_EQ(vorlan::OldFolderName(L"C:\\u\\Save", 0), L"C:\\u\\Save.VorlanOld");
  EXPECT_EQ(vorlan::OldFolderName(L"C:\\u\\Save\\", 0), L"C:\\u\\Save.VorlanOld");
  EXPECT_EQ(vorlan::OldFolderName(L"C:\\u\\Save", 2), L"C:\\u\\Save.VorlanOld2");
  EXPECT_TRUE(vorlan::SamePath(L"C:\\Users\\A\\", L"c:\\users\\a"));
  EXPECT_FALSE(vorlan::SamePath(L"C:\\Users\\A", L"C:\\Users\\AB"));
  EXPECT_TRUE(vorlan::SamePath(L"\\??\\C:\\g", L"\\??\\c:\\G"));
}

TEST(JunctionRecords, OneLockNameForEverySpellingOfThePath) {
  const std::wstring name = vorlan::RecordLockName(L"c:\\windows\\JunctionCfgInfo.ini");
  EXPECT_EQ(name, L"VorlanJunctionRecords:C:/WINDOWS/JUNCTIONCFGINFO.INI");
  EXPECT_EQ(vorlan::RecordLockName(L"C:\\Windows\\JUNCTIONCFGINFO.ini"), name);
  EXPECT_NE(vorlan::RecordLockName(L"C:\\vorlan-tests\\records.ini"), name);
  const std::wstring deep = L"C:\\" + std::wstring(300, L'a') + L"\\JunctionCfgInfo.ini";
  const std::wstring hashed = vorlan::RecordLockName(deep);
  EXPECT_LE(hashed.size(), 200u);
  EXPECT_EQ(hashed.find(L'\\'), std::wstring::npos);  // a backslash would name a namespace
  EXPECT_NE(hashed, vorlan::RecordLockName(L"C:\\" + std::wstring(300, L'b') + L"\\JunctionCfgInfo.ini"));
}
