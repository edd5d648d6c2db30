#include "check/core/ini_scan.h"

namespace vorlan::check {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Decodes UTF-8; a malformed sequence yields U+FFFD for its first byte.
std::wstring DecodeUtf8(std::string_view bytes, bool* valid) {
  std::wstring out;
  out.reserve(bytes.size());
  bool ok = true;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    bool good = len != 0 && i + len <= bytes.size();
    for (std::size_t k = 1; good && k < len; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c >> 6) != 2) good = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!good) {
      ok = false;
      out.push_back(L'\xFFFD');
      ++i;
      continue;
    }
    if constexpr (sizeof(wchar_t) == 2) {
      if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
      } else {
        out.push_back(static_cast<wchar_t>(cp));
      }
    } else {
      out.push_back(static_cast<wchar_t>(cp));
    }
    i += len;
  }
  if (valid) *valid = ok;
  return out;
}

std::wstring DecodeUtf16Le(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                       (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  return out;
}

// Bytes of the code page are kept one character each: names and values the
// rules look at are ASCII; other text is only measured.
std::wstring WidenBytes(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (char c : bytes) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return out;
}

std::wstring Unquote(std::wstring_view raw) {
  if (raw.size() >= 2 && (raw.front() == L'"' || raw.front() == L'\'') && raw.back() == raw.front())
    return std::wstring(raw.substr(1, raw.size() - 2));
  return std::wstring(raw);
}

}  // namespace

std::wstring FoldCase(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
    if (x != y) return false;
  }
  return true;
}

const IniKey* IniSection::Find(std::wstring_view key) const {
  for (const IniKey& k : keys)
    if (EqualsNoCase(k.name, key)) return &k;
  return nullptr;
}

const IniSection* ScannedIni::Find(std::wstring_view section) const {
  const auto it = index.find(FoldCase(section));
  return it == index.end() ? nullptr : &sections[it->second];
}

const IniKey* ScannedIni::FindKey(std::wstring_view section, std::wstring_view key) const {
  const IniSection* s = Find(section);
  return s ? s->Find(key) : nullptr;
}

ScannedIni ScanIni(std::string_view bytes, const AnsiDecoder& decodeAnsi) {
  ScannedIni ini;
  std::wstring text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    ini.encoding = TextEncoding::Utf16Le;
    text = DecodeUtf16Le(bytes.substr(2));
  } else if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
             static_cast<unsigned char>(bytes[1]) == 0xFF) {
    ini.encoding = TextEncoding::Utf16Be;
    return ini;
  } else if (bytes.find('\0') != std::string_view::npos) {
    ini.encoding = TextEncoding::Binary;
    return ini;
  } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    ini.encoding = TextEncoding::Utf8Bom;
    text = DecodeUtf8(bytes.substr(3), nullptr);
  } else {
    bool ascii = true;
    for (char c : bytes)
      if (static_cast<unsigned char>(c) >= 0x80) {
        ascii = false;
        break;
      }
    bool valid = false;
    if (!ascii) {
      std::wstring decoded = DecodeUtf8(bytes, &valid);
      if (valid) {
        ini.encoding = TextEncoding::Utf8;
        text = std::move(decoded);
      }
    }
    if (ascii || !valid) text = decodeAnsi && !ascii ? decodeAnsi(bytes) : WidenBytes(bytes);
  }

  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current = kNone;  // index: the vector grows
  int lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    ++lineNumber;
    const std::wstring_view line = Trim(std::wstring_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == L';') continue;
    ini.empty = false;
    if (line.front() == L'[') {
      const std::size_t close = line.find(L']');
      if (close == std::wstring_view::npos) {
        ini.strays.push_back({lineNumber, StrayLine::Kind::UnclosedSection});
        current = kNone;
        continue;
      }
      IniSection section;
      section.name = std::wstring(Trim(line.substr(1, close - 1)));
      section.line = lineNumber;
      ini.sections.push_back(std::move(section));
      current = ini.sections.size() - 1;
      ini.index.emplace(FoldCase(ini.sections.back().name), current);
      continue;
    }
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
      ini.strays.push_back({lineNumber, StrayLine::Kind::NoEquals});
      continue;
    }
    if (current == kNone) {
      ini.strays.push_back({lineNumber, StrayLine::Kind::KeyBeforeSection});
      continue;
    }
    IniKey key;
    key.name = std::wstring(Trim(line.substr(0, equals)));
    key.raw = std::wstring(Trim(line.substr(equals + 1)));
    key.value = Unquote(key.raw);
    key.line = lineNumber;
    ini.sections[current].keys.push_back(std::move(key));
  }
  return ini;
}

}  // namespace vorlan::check
