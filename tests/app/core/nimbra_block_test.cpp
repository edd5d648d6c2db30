#include "app/core/nimbra_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using vorlan::NimbraBlock;

TEST(NimbraBlock, LayoutIsTheDocumentedOne) {
  std::vector<unsigned char> bytes(vorlan::kNimbraSize, 0xCC);
  NimbraBlock block(bytes.data(), bytes.size());
  ASSERT_TRUE(block.Initialize());
  ASSERT_TRUE(block.IsValid());
  auto* e = block.FindOrAdd(1001);
  ASSERT_NE(e, nullptr);
  e->runNow = 1;
  block.FindOrAdd(1002)->runNowButton = 1;
  std::uint32_t words[12];
  std::memcpy(words, bytes.data(), sizeof(words));
  EXPECT_EQ(words[0], 0x4D53424Eu);  // "NBSM"
  EXPECT_EQ(words[1], 1u);
  EXPECT_EQ(words[2], 1024u);
  EXPECT_EQ(words[3], 2u);          // entries in use
  EXPECT_EQ(words[8], 1001u);       // first entry: id, run now, button, reserved
  EXPECT_EQ(words[9], 1u);
  EXPECT_EQ(words[10], 0u);
  std::uint32_t second[4];
  std::memcpy(second, bytes.data() + 48, sizeof(second));
  EXPECT_EQ(second[0], 1002u);
  EXPECT_EQ(second[2], 1u);
  EXPECT_EQ(block.Find(1001), e);
  EXPECT_EQ(block.Find(7), nullptr);
}

TEST(NimbraBlock, AFullTableTakesNoNewGame) {
  std::vector<unsigned char> bytes(sizeof(vorlan::NimbraHeader) + 3 * sizeof(vorlan::NimbraEntry));
  NimbraBlock block(bytes.data(), bytes.size());
  ASSERT_TRUE(block.Initialize());
  EXPECT_NE(block.FindOrAdd(1), nullptr);
  EXPECT_NE(block.FindOrAdd(2), nullptr);
  EXPECT_NE(block.FindOrAdd(3), nullptr);
  EXPECT_EQ(block.FindOrAdd(4), nullptr);
  EXPECT_NE(block.FindOrAdd(2), nullptr);
}

TEST(NimbraBlock, ForeignOrDamagedHeadersAreNeverReadBeyondTheView) {
  std::vector<unsigned char> bytes(64, 0);
  NimbraBlock foreign(bytes.data(), bytes.size());
  EXPECT_FALSE(foreign.IsValid());
  EXPECT_EQ(foreign.Find(0), nullptr);
  EXPECT_EQ(foreign.FindOrAdd(5), nullptr);

  ASSERT_TRUE(foreign.Initialize());
  auto* header = reinterpret_cast<vorlan::NimbraHeader*>(bytes.data());
  header->capacity = 100000;  // claims more entries than the view holds
  header->count = 100000;
  EXPECT_FALSE(foreign.IsValid());
  EXPECT_EQ(foreign.Find(5), nullptr);

  header->capacity = 2;
  header->count = 999;  // count beyond capacity: only the capacity is read
  EXPECT_TRUE(foreign.IsValid());
  EXPECT_EQ(foreign.FindOrAdd(9), nullptr);

  NimbraBlock tiny(bytes.data(), 8);
  EXPECT_FALSE(tiny.Initialize());
  EXPECT_FALSE(tiny.IsValid());
}
