#include "pkg_reg/tool/list_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace vorlan::pkgreg {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct TypeName {
  std::uint32_t type;
  std::string_view name;
};
constexpr std::array<TypeName, 9> kTypeNames = {{{0, "REG_NONE"},
                                                 {1, "REG_SZ"},
                                                 {2, "REG_EXPAND_SZ"},
                                                 {3, "REG_BINARY"},
                                                 {4, "REG_DWORD"},
                                                 {5, "REG_DWORD_BIG_ENDIAN"},
                                                 {6, "REG_LINK"},
                                                 {7, "REG_MULTI_SZ"},
                                                 {11, "REG_QWORD"}}};
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;

constexpr std::string_view kHex = "hex:";
constexpr std::string_view kText = "text:";
constexpr std::string_view kTextZ = "textz:";
constexpr std::string_view kDword = "dword:";

std::optional<std::uint32_t> ParseNumber(std::string_view text, std::uint32_t max) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> ParseType(std::string_view text) {
  for (const TypeName& t : kTypeNames)
    if (t.name == text) return t.type;
  return ParseNumber(text, UINT32_MAX);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Pairs of hex digits; blanks between pairs are allowed.
std::optional<Bytes> ParseHex(std::string_view text) {
  Bytes out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    const int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<std::uint8_t>(hi << 4 | lo));
    i += 2;
  }
  return out;
}

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::optional<Bytes> ParseName(std::string_view text) {
  if (text.starts_with(kHex)) return ParseHex(text.substr(kHex.size()));
  return BytesOf(text);
}

std::optional<Bytes> ParseData(std::string_view text, std::string& why) {
  if (text.starts_with(kText)) return BytesOf(text.substr(kText.size()));
  if (text.starts_with(kTextZ)) {
    Bytes out = BytesOf(text.substr(kTextZ.size()));
    out.push_back(0);
    return out;
  }
  if (text.starts_with(kHex)) {
    auto out = ParseHex(text.substr(kHex.size()));
    if (!out) why = "bad hex data";
    return out;
  }
  if (text.starts_with(kDword)) {
    const auto value = ParseNumber(text.substr(kDword.size()), UINT32_MAX);
    if (!value) {
      why = "bad dword value";
      return std::nullopt;
    }
    return Bytes{static_cast<std::uint8_t>(*value), static_cast<std::uint8_t>(*value >> 8),
                 static_cast<std::uint8_t>(*value >> 16), static_cast<std::uint8_t>(*value >> 24)};
  }
  why = "data must begin with text:, textz:, hex: or dword:";
  return std::nullopt;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t from = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', from)) {
    fields.push_back(line.substr(from, tab - from));
    from = tab + 1;
  }
  fields.push_back(line.substr(from));
  return fields;
}

// Bytes a list line can carry as they are.
bool IsPlain(std::uint8_t c) { return c >= 0x20 && c != 0x7F; }

std::string HexOf(const Bytes& bytes) {
  std::string out;
  char two[3];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(two, sizeof(two), "%02x", bytes[i]);
    if (i > 0) out += ' ';
    out += two;
  }
  return out;
}

std::string FormatName(const Bytes& name) {
  const std::string text(name.begin(), name.end());
  if (std::all_of(name.begin(), name.end(), IsPlain) && !text.starts_with(kHex)) return text;
  return std::string(kHex) + HexOf(name);
}

std::string FormatType(std::uint32_t type) {
  for (const TypeName& t : kTypeNames)
    if (t.type == type) return std::string(t.name);
  return std::to_string(type);
}

std::string FormatData(std::uint32_t type, const Bytes& data) {
  if (type == kRegDword && data.size() == 4) {
    const std::uint32_t v = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08x", static_cast<unsigned>(v));
    return std::string(kDword) + text;
  }
  if (type == kRegSz || type == kRegExpandSz) {
    if (std::all_of(data.begin(), data.end(), IsPlain))
      return std::string(kText) + std::string(data.begin(), data.end());
    if (!data.empty() && data.back() == 0 && std::all_of(data.begin(), data.end() - 1, IsPlain))
      return std::string(kTextZ) + std::string(data.begin(), data.end() - 1);
  }
  return std::string(kHex) + HexOf(data);
}

}  // namespace

std::optional<std::vector<CPkgRegEntry>> ParseListFile(std::string_view text, ListFileError& error) {
  std::vector<CPkgRegEntry> entries;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.starts_with('#')) continue;

    auto fail = [&](std::string message) {
      error = {lineNumber, std::move(message)};
      return std::nullopt;
    };
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != 4)
      return fail("expected 4 tab-separated fields (flag, type, name, data), found " + std::to_string(fields.size()));
    const auto flag = ParseNumber(fields[0], 255);
    if (!flag) return fail("flag must be a number from 0 to 255");
    const auto type = ParseType(fields[1]);
    if (!type) return fail("unknown type \"" + std::string(fields[1]) + "\"");
    auto name = ParseName(fields[2]);
    if (!name) return fail("bad hex name");
    std::string why;
    auto data = ParseData(fields[3], why);
    if (!data) return fail(why);
    entries.emplace_back(static_cast<std::uint8_t>(*flag), *type, std::move(*name), std::move(*data));
  }
  return entries;
}

std::string FormatListFile(const CPkgReg& reg) {
  char checksum[16];
  std::snprintf(checksum, sizeof(checksum), "0x%08x", static_cast<unsigned>(reg.Checksum()));
  std::string out = "# " + std::to_string(reg.Entries().size()) + " entries, checksum " + checksum + "\n";
  for (const CPkgRegEntry& e : reg.Entries()) {
    out += std::to_string(e.Flag()) + '\t' + FormatType(e.Type()) + '\t' + FormatName(e.Name()) + '\t' +
           FormatData(e.Type(), e.Data()) + '\n';
  }
  return out;
}

}  // namespace vorlan::pkgreg
