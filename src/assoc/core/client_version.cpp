#include "assoc/core/client_version.h"

#include <climits>
#include <cstdint>

namespace vorlan::assoc {

int AsciiToInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > static_cast<std::int64_t>(INT_MAX) + 1) break;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool IsClientNewerThan8(std::string_view version) {
  std::size_t first = version.find('.');
  if (first == std::string_view::npos) return false;
  std::size_t second = version.find('.', first + 1);
  if (second == std::string_view::npos) return false;
  std::int64_t major = AsciiToInt(version.substr(0, first));
  std::int64_t minor = AsciiToInt(version.substr(first + 1, second - first - 1));
  std::uint64_t sum = (static_cast<std::uint64_t>(major) << 32) + static_cast<std::uint64_t>(minor);
  return sum > (std::uint64_t{8} << 32);
}

}  // namespace vorlan::assoc
