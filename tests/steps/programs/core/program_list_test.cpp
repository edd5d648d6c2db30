#include "steps/programs/core/program_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vorlan;

TEST(ProgramList, SectionNamesAndTheSelectedList) {
  EXPECT_EQ(ProgramListEntrySection(L"PreLoad", 0), L"PreLoad0");
  EXPECT_EQ(ProgramListEntrySection(L"PreLoadAd", 12), L"PreLoadAd12");
  EXPECT_EQ(SelectedProgramList(0), L"PreLoadAd");
  EXPECT_EQ(SelectedProgramList(1), L"PreLoadType");
  EXPECT_EQ(SelectedProgramList(2), L"");
  EXPECT_EQ(SelectedProgramList(-1), L"");
}

TEST(ProgramList, ScanStopsAfterTheLastEntrySectionPresent) {
  const std::vector<std::wstring> sections = {L"Main", L"PreLoad", L"PreLoad0", L"preload2", L"PreLoadAd7",
                                              L"PreLoad05", L"PreLoad1x", L"PreLoad99999999999"};
  // "Num" below the last entry: "Num" rules.
  EXPECT_EQ(ProgramListScanLimit(2, L"PreLoad", sections), 2u);
  // Far above, or negative (read as unsigned): up to PreLoad2, case ignored.
  EXPECT_EQ(ProgramListScanLimit(1000000, L"PreLoad", sections), 3u);
  EXPECT_EQ(ProgramListScanLimit(-1, L"PreLoad", sections), 3u);
  EXPECT_EQ(ProgramListScanLimit(0, L"PreLoad", sections), 0u);
  EXPECT_EQ(ProgramListScanLimit(-5, L"PreLoadAd", sections), 8u);
  EXPECT_EQ(ProgramListScanLimit(5, L"PreLoadType", sections), 0u);
  EXPECT_EQ(ProgramListScanLimit(5, L"PreLoad", {}), 0u);
}
