// The rule that leaves out a file the destination already holds.

#include "platform/core/copy_rule.h"

#include <gtest/gtest.h>

#include <optional>

using vorlan::IsAlreadyThere;
using vorlan::JoinHalves;
using vorlan::ListedFile;

namespace {

constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kArchive = 0x20;

// 2024-05-01 12:00:00 UTC, with 100-ns digits of its own.
constexpr std::uint64_t kTime = 133590384001234567ull;
constexpr std::uint64_t kGiB4 = 1ull << 32;

}  // namespace

TEST(CopyRule, OnlyAFileOfTheSameSizeAndTimeIsAlreadyThere) {
  const ListedFile source{kArchive, 102400, kTime};
  struct Row {
    const char* what;
    std::optional<ListedFile> destination;  // none: nothing of that name
    bool alreadyThere;
  };
  const Row rows[] = {
      {"same size and time", ListedFile{kArchive, 102400, kTime}, true},
      {"same, other attributes", ListedFile{kHidden, 102400, kTime}, true},
      {"same, read-only", ListedFile{kReadOnly | kArchive, 102400, kTime}, true},
      {"newer by 100 ns", ListedFile{kArchive, 102400, kTime + 1}, false},
      {"older by 100 ns", ListedFile{kArchive, 102400, kTime - 1}, false},
      {"newer by a day", ListedFile{kArchive, 102400, kTime + 864000000000ull}, false},
      {"time differs in its high half only", ListedFile{kArchive, 102400, kTime ^ (1ull << 40)}, false},
      {"one byte longer", ListedFile{kArchive, 102401, kTime}, false},
      {"empty", ListedFile{kArchive, 0, kTime}, false},
      {"4 GiB longer (the low half the same)", ListedFile{kArchive, 102400 + kGiB4, kTime}, false},
      {"read-only and different", ListedFile{kReadOnly, 99, kTime}, false},
      {"read-only and newer", ListedFile{kReadOnly, 102400, kTime + 10000000}, false},
      {"a folder of that name", ListedFile{vorlan::kFolderAttribute, 102400, kTime}, false},
      {"a read-only folder of that name", ListedFile{vorlan::kFolderAttribute | kReadOnly, 0, kTime}, false},
      {"destination missing", std::nullopt, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(IsAlreadyThere(source, row.destination ? &*row.destination : nullptr), row.alreadyThere);
  }
  // A source past 4 GiB, against its copy and a file of its low half's size.
  const ListedFile big{0, 5 * kGiB4 + 7, kTime}, bigCopy = big, lowHalf{0, 7, kTime};
  EXPECT_TRUE(IsAlreadyThere(big, &bigCopy));
  EXPECT_FALSE(IsAlreadyThere(big, &lowHalf));
}

TEST(CopyRule, HalvesJoinHighOverLow) {
  EXPECT_EQ(JoinHalves(0, 0xFFFFFFFFu), 0xFFFFFFFFull);
  EXPECT_EQ(JoinHalves(1, 0), kGiB4);
  EXPECT_EQ(JoinHalves(0x01DA9BC4u, 0x5E3A1B87u), 0x01DA9BC45E3A1B87ull);
  EXPECT_EQ(JoinHalves(0xFFFFFFFFu, 0xFFFFFFFFu), ~0ull);
}
