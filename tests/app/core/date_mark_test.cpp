#include "app/core/date_mark.h"

#include <gtest/gtest.h>

using vorlan::CalendarDate;
using vorlan::DateMarkText;
using vorlan::DateMarkValue;
using vorlan::IsMarkOfDay;

TEST(DateMark, DigitsWithoutLeadingZeros) {
  EXPECT_EQ(DateMarkText({2026, 12, 7}), L"2026127");
  EXPECT_EQ(DateMarkValue({2026, 12, 7}), 2026127u);
  EXPECT_EQ(DateMarkText({2026, 1, 27}), L"2026127");
  EXPECT_EQ(DateMarkValue({2026, 12, 31}), 20261231u);
}

TEST(DateMark, TwentySeventhOfJanuaryAndSeventhOfDecemberCountAsTheSameDay) {
  EXPECT_TRUE(IsMarkOfDay(DateMarkValue({2026, 1, 27}), {2026, 12, 7}));
}

TEST(DateMark, AMarkOfTheUtcDayBeforeMidnightIsStaleAfterIt) {
  // Written at 23:59 UTC on 8 December, read at 00:00 UTC on 9 December.
  const std::uint32_t written = DateMarkValue({2026, 12, 8});
  EXPECT_TRUE(IsMarkOfDay(written, {2026, 12, 8}));
  EXPECT_FALSE(IsMarkOfDay(written, {2026, 12, 9}));
  EXPECT_FALSE(IsMarkOfDay(0, {2026, 12, 9}));
}
