#include "zr_log/core/log_record.h"

#include <gtest/gtest.h>

using zrlog::FormatRecord;
using zrlog::LocalTime;
using zrlog::ParseRecords;

TEST(LogRecord, FormatIsTabSeparatedAndEndsInCrLf) {
  LocalTime t{2026, 12, 8, 5, 7, 9, 42};
  EXPECT_EQ(zrlog::LogFileName(t), "20261208.log");
  EXPECT_EQ(FormatRecord(t, 4, "Vorlan", 12, 34, "hello"), "2026-12-08 05:07:09.042\t4\tVorlan\t12:34\thello\r\n");
}

TEST(LogRecord, MessagesWithLineFeedsAndTabsRoundTrip) {
  LocalTime t{2026, 1, 2, 3, 4, 5, 6};
  std::string file = FormatRecord(t, 4, "Vorlan", 1, 2, "ends in newline\n") +
                     FormatRecord(t, 64, "Game.Launcher", 3, 4, "a\tb\nc") + FormatRecord(t, 8, "m", 5, 6, "");
  auto records = ParseRecords(file);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].message, "ends in newline\n");
  EXPECT_EQ(records[0].level, 4);
  EXPECT_EQ(records[1].module, "Game.Launcher");
  EXPECT_EQ(records[1].message, "a\tb\nc");
  EXPECT_EQ(records[1].processId, 3u);
  EXPECT_EQ(records[1].threadId, 4u);
  EXPECT_EQ(records[2].message, "");
  EXPECT_EQ(records[0].time, "2026-01-02 03:04:05.006");
}

TEST(LogRecord, UnfinishedTailIsIgnored) {
  LocalTime t{2026, 1, 2, 3, 4, 5, 6};
  std::string file = FormatRecord(t, 4, "Vorlan", 1, 2, "whole") + "2026-01-02 03:04:05.006\t4\tVor";
  auto records = ParseRecords(file);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].message, "whole");
}
