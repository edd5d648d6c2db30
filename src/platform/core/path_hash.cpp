#include "platform/core/path_hash.h"

#include <cstdint>
#include <cwctype>

namespace vorlan {

std::wstring PathHashHex(std::wstring_view path) {
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (wchar_t c : path) {
    const wchar_t normal = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    hash = (hash ^ static_cast<std::uint64_t>(normal)) * 1099511628211ull;
  }
  std::wstring hex(16, L'0');
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[static_cast<std::size_t>(i)] = L"0123456789ABCDEF"[hash & 0xF];
  return hex;
}

}  // namespace vorlan
