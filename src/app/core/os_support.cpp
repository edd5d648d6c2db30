#include "app/core/os_support.h"

#include <climits>

namespace vorlan {

namespace {
// atoi: leading blanks, an optional sign, the digits that follow.
int AnsiDecimal(std::wstring_view piece) {
  std::size_t i = 0;
  while (i < piece.size() && (piece[i] == L' ' || piece[i] == L'\t')) ++i;
  bool negative = false;
  if (i < piece.size() && (piece[i] == L'+' || piece[i] == L'-')) negative = piece[i++] == L'-';
  long long value = 0;
  for (; i < piece.size() && piece[i] >= L'0' && piece[i] <= L'9'; ++i) {
    value = value * 10 + (piece[i] - L'0');
    if (value > INT_MAX) { value = INT_MAX; break; }
  }
  return static_cast<int>(negative ? -value : value);
}
}  // namespace

std::vector<int> ParseOsCfg(std::wstring_view text) {
  std::vector<int> codes;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = text.find(L',', start);
    codes.push_back(AnsiDecimal(text.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start)));
    if (comma == std::wstring_view::npos) break;
    start = comma + 1;
  }
  return codes;
}

bool IsOsSupportedBy(std::wstring_view text, int osCode, bool is64BitOs) {
  if (text.empty()) return true;
  for (int entry : ParseOsCfg(text)) {
    if (entry == 0) return true;
    if (osCode != 7) {
      if (entry == osCode) return true;
    } else {
      if (entry == 7 && !is64BitOs) return true;
      if (entry == 8 && is64BitOs) return true;
    }
  }
  return false;
}

}  // namespace vorlan
