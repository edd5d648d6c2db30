#include "pkg_reg/core/crc32.h"

#include <array>

namespace vorlan::pkgreg {
namespace {

// Eight tables for slicing-by-8: table k gives the CRC of a byte followed by
// k zero bytes, so eight input bytes are folded in per step.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::uint32_t i = 0; i < 256; ++i)
    for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
  return t;
}

constexpr Tables kTables = MakeTables();

std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  const std::uint8_t* p = bytes.data();
  std::size_t n = bytes.size();
  crc = ~crc;
  for (; n >= 8; p += 8, n -= 8) {
    const std::uint32_t a = crc ^ LittleEndian32(p);
    const std::uint32_t b = LittleEndian32(p + 4);
    crc = kTables[7][a & 0xFFu] ^ kTables[6][(a >> 8) & 0xFFu] ^ kTables[5][(a >> 16) & 0xFFu] ^ kTables[4][a >> 24] ^
          kTables[3][b & 0xFFu] ^ kTables[2][(b >> 8) & 0xFFu] ^ kTables[1][(b >> 16) & 0xFFu] ^ kTables[0][b >> 24];
  }
  for (; n > 0; ++p, --n) crc = kTables[0][(crc ^ *p) & 0xFFu] ^ (crc >> 8);
  return ~crc;
}

}  // namespace vorlan::pkgreg
