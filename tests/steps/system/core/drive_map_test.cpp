#include "steps/system/core/drive_map.h"

#include <gtest/gtest.h>

using namespace vorlan;

TEST(DriveMap, DriveLettersAreReadInTheirUsualSpellings) {
  const struct {
    const wchar_t* value;
    std::optional<wchar_t> letter;
  } rows[] = {
      {L"Z", L'Z'},         {L"z", L'Z'},          {L"Z:", L'Z'},        {L"q:\\", L'Q'},
      {L"", std::nullopt},  {L"1", std::nullopt},  {L"ZZ", std::nullopt}, {L"Z:\\x", std::nullopt},
      {L"Z;", std::nullopt}, {L":", std::nullopt}, {L"Z:/", std::nullopt}, {L"\u00c4", std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(ParseDriveLetter(row.value), row.letter) << row.value;
  EXPECT_EQ(DriveName(L'Q'), L"Q:");
}

TEST(DriveMap, TheTargetIsTheExecutablesFolderAFolderOrAShare) {
  const struct {
    const wchar_t* value;
    const wchar_t* exeDirectory;
    MapSource source;
    const wchar_t* path;
  } rows[] = {
      {L"", L"C:\\Games\\X", MapSource::Folder, L"C:\\Games\\X"},
      {L"data\\", L"C:\\Games\\X", MapSource::Folder, L"C:\\Games\\X\\data"},
      {L"\\data", L"C:\\Games\\X", MapSource::Folder, L"C:\\Games\\X\\data"},
      {L"D:\\Other\\\\", L"C:\\Games\\X", MapSource::Folder, L"D:\\Other"},
      {L"D:", L"C:\\Games\\X", MapSource::Folder, L"D:\\"},
      {L"D:\\", L"C:\\Games\\X", MapSource::Folder, L"D:\\"},
      {L"", L"Z:", MapSource::Folder, L"Z:\\"},
      {L"\\\\server\\games\\", L"C:\\Games\\X", MapSource::Share, L"\\\\server\\games"},
      {L"", L"\\\\server\\games\\X", MapSource::Share, L"\\\\server\\games\\X"},
  };
  for (const auto& row : rows) {
    const MapTarget target = MapTargetFor(row.value, row.exeDirectory);
    EXPECT_EQ(target.source, row.source) << row.value;
    EXPECT_EQ(target.path, row.path) << row.value;
  }
}

TEST(DriveMap, DeviceAnswersAreMappingsOnlyInTheDosDeviceNamespace) {
  const struct {
    const wchar_t* answer;
    LetterUse use;
    const wchar_t* target;
  } rows[] = {
      {L"\\??\\C:\\Games\\X", LetterUse::Mapping, L"C:\\Games\\X"},
      {L"\\??\\unc\\server\\games", LetterUse::Mapping, L"\\\\server\\games"},
      {L"\\Device\\HarddiskVolume1", LetterUse::Device, L""},
      {L"\\Device\\CdRom0", LetterUse::Device, L""},
  };
  for (const auto& row : rows) {
    const LetterState state = LetterStateOfDevicePath(row.answer);
    EXPECT_EQ(state.use, row.use) << row.answer;
    EXPECT_EQ(state.target, row.target) << row.answer;
    EXPECT_EQ(state.devicePath, row.answer);
  }
}

TEST(DriveMap, KeepDefineReplaceOnlyOursAndRefuseTheRest) {
  const MapTarget game{MapSource::Folder, L"C:\\Games\\X"};
  const MapTarget share{MapSource::Share, L"\\\\server\\games"};
  const std::optional<std::wstring> none;
  const struct {
    const char* name;
    MapTarget wanted;
    LetterState state;
    std::optional<std::wstring> recorded;
    MapAction action;
    const wchar_t* reason;
    long error;
  } rows[] = {
      {"free", game, {LetterUse::Free}, none, MapAction::Define, L"", 0},
      {"free, stale record", game, {LetterUse::Free}, L"C:\\Games\\Old", MapAction::Define, L"", 0},
      {"same folder, any case", game, {LetterUse::Mapping, L"c:\\games\\x\\"}, none, MapAction::Keep, L"", 0},
      {"same share", share, {LetterUse::Network, L"\\\\SERVER\\games"}, none, MapAction::Keep, L"", 0},
      {"ours for another game", game, {LetterUse::Mapping, L"C:\\Games\\Old"}, L"c:\\games\\old", MapAction::ReplaceOurs,
       L"", 0},
      {"someone else's", game, {LetterUse::Mapping, L"C:\\Tools"}, none, MapAction::Refuse,
       L"Q: shows C:\\Tools, which this program did not map", 85},
      {"changed since we mapped it", game, {LetterUse::Mapping, L"C:\\Tools"}, L"C:\\Games\\Old", MapAction::Refuse,
       L"Q: shows C:\\Tools, which this program did not map", 85},
      {"someone else's share", game, {LetterUse::Network, L"\\\\nas\\x"}, none, MapAction::Refuse,
       L"Q: shows \\\\nas\\x, which this program did not map", 85},
      {"a disk", game, {LetterUse::Device}, L"C:\\Games\\X", MapAction::Refuse, L"Q: is a drive of this PC", 85},
      {"remembered connection", share, {LetterUse::Remembered, L"\\\\server\\games"}, L"\\\\server\\games",
       MapAction::Refuse, L"Q: is kept for the network connection \\\\server\\games, not connected now", 85},
      {"started from the drive's root", {MapSource::Folder, L"q:\\"}, {LetterUse::Network, L"\\\\menu\\x"}, none,
       MapAction::Keep, L"", 0},
      {"folder on the letter itself", {MapSource::Folder, L"Q:\\Games"}, {LetterUse::Mapping, L"C:\\Old"},
       L"C:\\Old", MapAction::Refuse, L"the folder is on Q: itself", 87},
  };
  for (const auto& row : rows) {
    const MapDecision decision = DecideMap(L'Q', row.wanted, row.state, row.recorded);
    EXPECT_EQ(decision.action, row.action) << row.name;
    EXPECT_EQ(decision.reason, row.reason) << row.name;
    EXPECT_EQ(decision.error, row.error) << row.name;
  }
}
