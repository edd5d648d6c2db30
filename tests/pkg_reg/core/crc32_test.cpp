#include "pkg_reg/core/crc32.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>
#include <vector>

using vorlan::pkgreg::Crc32;

namespace {

std::uint32_t Crc32Of(std::string_view text) {
  return Crc32(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// One bit at a time, straight from the definition of the polynomial.
std::uint32_t BitwiseCrc32(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

}  // namespace

TEST(Crc32, KnownVectors) {
  EXPECT_EQ(Crc32Of(""), 0x00000000u);
  EXPECT_EQ(Crc32Of("a"), 0xE8B7BE43u);
  EXPECT_EQ(Crc32Of("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32Of("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  EXPECT_EQ(Crc32Of(std::string_view("\0\0\0\0", 4)), 0x2144DF1Cu);
}

TEST(Crc32, AgreesWithTheBitwiseDefinitionForEveryLengthAndSplit) {
  std::mt19937 random(8);
  std::vector<std::uint8_t> bytes(300);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    const std::uint32_t expected = BitwiseCrc32(part);
    ASSERT_EQ(Crc32(part), expected) << "length " << length;
    const std::size_t split = length / 3;
    const std::span<const std::uint8_t> all(part);
    ASSERT_EQ(Crc32(all.subspan(split), Crc32(all.first(split))), expected) << "length " << length;
  }
}
