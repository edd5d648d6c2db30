#include "steps/registry/core/reg_value_entry.h"

#include "steps/registry/core/reg_file.h"
#include "steps/registry/core/reg_file_text.h"

namespace vorlan {
namespace {

constexpr std::size_t kMaxValueChars = 16383;

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  c = AsciiLower(c);
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

std::optional<std::uint32_t> ParseDword(std::wstring_view text) {
  text = Trim(text);
  std::uint64_t value = 0;
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    text.remove_prefix(2);
    if (text.size() > 8) return std::nullopt;
    for (const wchar_t c : text) {
      const int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(d);
    }
    return static_cast<std::uint32_t>(value);
  }
  if (text.empty() || text.size() > 10) return std::nullopt;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::optional<std::vector<std::uint8_t>> ParseBinary(std::wstring_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == L' ' || text[i] == L'\t' || text[i] == L',') {
      ++i;
      continue;
    }
    std::size_t n = 0;
    unsigned value = 0;
    while (i < text.size() && HexDigit(text[i]) >= 0) {
      value = value * 16 + static_cast<unsigned>(HexDigit(text[i]));
      ++i;
      ++n;
    }
    if (n == 0 || n > 2) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

std::vector<std::uint8_t> Utf16Z(std::wstring_view text) {
  std::vector<std::uint8_t> out;
  AppendUtf16Le(text, out);
  out.insert(out.end(), {0, 0});
  return out;
}

RegValueEntryResult Refused(std::string reason, std::wstring_view key) { return {std::nullopt, std::move(reason), key}; }

}  // namespace

std::optional<std::pair<RegRootKey, std::wstring>> SplitRegKey(std::wstring_view key) {
  const std::size_t slash = key.find(L'\\');
  if (slash == std::wstring_view::npos) return std::nullopt;
  const std::optional<RegRootKey> root = RegRootFromName(key.substr(0, slash));
  if (!root) return std::nullopt;
  const std::wstring_view path = key.substr(slash + 1);
  if (path.empty() || path.front() == L'\\' || path.back() == L'\\' || path.find(L"\\\\") != std::wstring_view::npos)
    return std::nullopt;
  return std::make_pair(*root, std::wstring(path));
}

RegValueEntryResult MakeRegValueEntry(std::wstring_view key, std::wstring_view name, std::wstring_view type,
                                      std::wstring_view data) {
  const auto split = SplitRegKey(key);
  if (!split) return Refused("bad key (a root and a path below it)", L"Key");
  if (name.size() > kMaxValueChars) return Refused("value name too long", L"Name");
  RegValueEntry entry;
  entry.root = split->first;
  entry.keyPath = split->second;
  entry.name = std::wstring(name);
  if (type.empty() || SameNoCase(type, L"string") || SameNoCase(type, L"expand")) {
    if (data.size() > kMaxValueChars) return Refused("string too long", L"Data");
    entry.type = type.empty() || SameNoCase(type, L"string") ? kRegTypeSz : kRegTypeExpandSz;
    entry.data = Utf16Z(data);
  } else if (SameNoCase(type, L"dword")) {
    const auto value = ParseDword(data);
    if (!value) return Refused("bad dword", L"Data");
    entry.type = kRegTypeDword;
    for (int shift = 0; shift < 32; shift += 8) entry.data.push_back(static_cast<std::uint8_t>(*value >> shift));
  } else if (SameNoCase(type, L"binary")) {
    auto bytes = ParseBinary(data);
    if (!bytes) return Refused("bad binary data", L"Data");
    entry.type = kRegTypeBinary;
    entry.data = std::move(*bytes);
  } else {
    return Refused("unknown type", L"Type");
  }
  return {std::move(entry), {}};
}

std::wstring GamePathValue(std::wstring_view programDirectory, std::wstring_view subPath, bool trailingBackslash) {
  std::wstring path(programDirectory);
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  while (!subPath.empty() && subPath.front() == L'\\') subPath.remove_prefix(1);
  while (!subPath.empty() && subPath.back() == L'\\') subPath.remove_suffix(1);
  if (!subPath.empty()) {
    path += L'\\';
    path += subPath;
  }
  if (trailingBackslash) path += L'\\';
  return path;
}

}  // namespace vorlan
