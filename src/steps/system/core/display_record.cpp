#include "steps/system/core/display_record.h"

namespace vorlan {
namespace {

// Reads decimal digits at `at`; nullopt when there are none or too many.
std::optional<std::uint32_t> Number(std::wstring_view text, std::size_t& at) {
  std::uint64_t value = 0;
  const std::size_t start = at;
  while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
    value = value * 10 + static_cast<std::uint64_t>(text[at] - L'0');
    if (value > 0xFFFFFFFFull) return std::nullopt;
    ++at;
  }
  if (at == start) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

bool Literal(std::wstring_view text, std::size_t& at, std::wstring_view word) {
  if (text.substr(at, word.size()) != word) return false;
  at += word.size();
  return true;
}

}  // namespace

std::wstring SerializeDisplayRecord(const DisplayMode& mode) { return FormatDisplayMode(mode); }

std::optional<DisplayMode> ParseDisplayRecord(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  std::size_t at = 0;
  const auto width = Number(text, at);
  if (!width || !Literal(text, at, L"x")) return std::nullopt;
  const auto height = Number(text, at);
  if (!height || !Literal(text, at, L" ")) return std::nullopt;
  const auto bits = Number(text, at);
  if (!bits || !Literal(text, at, L" bit ")) return std::nullopt;
  const auto frequency = Number(text, at);
  if (!frequency || !Literal(text, at, L" Hz") || at != text.size()) return std::nullopt;
  if (*width == 0 || *height == 0 || *bits == 0) return std::nullopt;
  return DisplayMode{*width, *height, *bits, *frequency};
}

}  // namespace vorlan
