#pragma once
// Builds registry script file bytes by hand, field by field, so that tests
// do not depend on the writing code they check.

#include <cstdint>
#include <string_view>
#include <vector>

#include "pkg_reg/core/crc32.h"

namespace pkgreg_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes& Put32(Bytes& b, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
  return b;
}

inline Bytes& PutText(Bytes& b, std::string_view text) {
  b.insert(b.end(), text.begin(), text.end());
  return b;
}

inline Bytes& PutEntry(Bytes& b, std::uint8_t flag, std::uint32_t type, std::string_view name, std::string_view data) {
  b.push_back(flag);
  Put32(b, type);
  Put32(b, static_cast<std::uint32_t>(name.size()));
  PutText(b, name);
  Put32(b, static_cast<std::uint32_t>(data.size()));
  return PutText(b, data);
}

// Appends the CRC-32 of everything before it, big-endian.
inline Bytes Sealed(Bytes b) { return Put32(b, vorlan::pkgreg::Crc32(b)); }

inline Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace pkgreg_test
