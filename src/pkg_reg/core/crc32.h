#pragma once
#include <cstdint>
#include <span>

namespace vorlan::pkgreg {

// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, initial value
// 0xFFFFFFFF, final complement): the value zlib's crc32 gives. `crc` is the
// result over the bytes before these, so a long input can be fed in pieces.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace vorlan::pkgreg
