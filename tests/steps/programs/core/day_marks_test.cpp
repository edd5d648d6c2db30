#include "steps/programs/core/day_marks.h"

#include <gtest/gtest.h>

using namespace vorlan;

TEST(DayMarks, KeysAreNamedAfterTheDateWithoutLeadingZeros) {
  EXPECT_EQ(RunOnceKeyName({2024, 3, 7}), L"SOFTWARE\\VorlanCfg\\2024.3.7");
  EXPECT_EQ(RunOnceKeyName({2026, 12, 31}), L"SOFTWARE\\VorlanCfg\\2026.12.31");
  EXPECT_EQ(GameMenuMarkKeyName({2024, 3, 7}), L"SOFTWARE\\tarpen\\2024.3.7");
  EXPECT_EQ(GameMenuMarkKeyName({2025, 10, 1}), L"SOFTWARE\\tarpen\\2025.10.1");
}
