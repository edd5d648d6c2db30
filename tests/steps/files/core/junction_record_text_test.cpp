// The record file's bytes: which encodings and contents are sound, and what
// a damaged file still yields.

#include "steps/files/core/junction_record_text.h"

#include <gtest/gtest.h>

using vorlan::RecordEncoding;

namespace {
constexpr wchar_t kSound[] =
    L"[Junctions]\r\nNum=1\r\n[Junction_0]\r\nDst=C:\\u\\Save\r\nSrc=X:\\g\\Save\r\nMade=1\r\n"
    L"[OldFolders]\r\nNum=1\r\n[OldFolder_0]\r\nDst=C:\\u\\Cfg\r\nOld=C:\\u\\Cfg.VorlanOld\r\n";
}  // namespace

TEST(JunctionRecordText, EncodingIsTakenFromTheByteOrderMark) {
  struct Row {
    std::string bytes;
    RecordEncoding expected;
  };
  const Row rows[] = {
      {"", RecordEncoding::Ansi},
      {"[Junctions]\r\nNum=0\r\n", RecordEncoding::Ansi},
      {"[Junctions]\r\nNum=0\r\n\x1A", RecordEncoding::Ansi},
      {std::string("\xFF\xFE[\0", 4), RecordEncoding::Utf16Le},
      {std::string("\xFF\xFE[\0J", 5), RecordEncoding::Binary},  // cut in the middle of a character
      {std::string("\xFE\xFF\0[", 4), RecordEncoding::Utf16Be},
      {"\xEF\xBB\xBF[Junctions]\r\n", RecordEncoding::Utf8Bom},
      {std::string("[Junc\0\0\0\0", 9), RecordEncoding::Binary},  // zeros after a power cut
      {"\x7F\x45\x4C\x46\x02\x01", RecordEncoding::Binary},
  };
  for (const Row& row : rows) EXPECT_EQ(vorlan::DetectRecordEncoding(row.bytes), row.expected) << row.bytes;
}

TEST(JunctionRecordText, DamageIsFoundAndWhatCanBeReadIsKept) {
  struct Row {
    const wchar_t* text;
    std::size_t problems;
    std::size_t junctions;
    std::size_t oldFolders;
  };
  const Row rows[] = {
      {kSound, 0, 1, 1},
      {L"", 0, 0, 0},
      {L"; by hand\n[junctions]\nnum = 1\n[JUNCTION_0]\ndst=C:\\a\nsrc=X:\\a\n", 0, 1, 0},  // letter case, blanks
      // Cut after the count of the old folders: the counted entry is missing.
      {L"[Junctions]\r\nNum=1\r\n[Junction_0]\r\nDst=C:\\u\\Save\r\nSrc=X:\\g\\Save\r\nMade=1\r\n[OldFolders]\r\nNum=1\r\n",
       1, 1, 0},
      // Cut inside a section name.
      {L"[Junctions]\r\nNum=1\r\n[Junction_0]\r\nDst=C:\\u\\Save\r\nSrc=X:\\g\\Save\r\n[OldFol", 1, 1, 0},
      {L"[Junctions]\r\nNum=x2\r\n", 1, 0, 0},
      {L"[Junctions]\r\nNum=99999\r\n", 1, 0, 0},
      {L"garbage without any structure", 1, 0, 0},
      {L"Num=1\r\n[Junctions]\r\nNum=0\r\n", 1, 0, 0},  // a key before any section
      {L"[Junctions]\r\nNum=0\r\nDst=\x01\x02\r\n", 1, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(row.text)));
    const vorlan::RecordTextCheck check = vorlan::CheckRecordText(row.text);
    EXPECT_EQ(check.problems.size(), row.problems);
    EXPECT_EQ(check.records.junctions.size(), row.junctions);
    EXPECT_EQ(check.records.oldFolders.size(), row.oldFolders);
  }
  const vorlan::RecordTextCheck sound = vorlan::CheckRecordText(kSound);
  ASSERT_EQ(sound.records.oldFolders.size(), 1u);
  EXPECT_EQ(sound.records.oldFolders[0].old, L"C:\\u\\Cfg.VorlanOld");
  EXPECT_EQ(sound.records.junctions[0].src, L"X:\\g\\Save");
  EXPECT_EQ(vorlan::CheckRecordText(L"[Junctions]\r\nNum=x2\r\n").problems[0], L"[Junctions] Num is not a number: x2");
}
