#pragma once
// A line-numbered reading of an option file, following the rules of the
// system's INI reader closely enough to say on which line a section or key
// stands: blanks around names and values dropped, one pair of matching
// quotes taken off a value, names compared without case, the first section
// and the first key of a name being the one that is read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorlan::check {

enum class TextEncoding {
  Ansi,        // single bytes in the PC's code page: what the reader expects
  Utf8,        // UTF-8 without a byte-order mark, with non-ASCII characters
  Utf8Bom,     // UTF-8 with a byte-order mark
  Utf16Le,     // UTF-16 little-endian with a byte-order mark
  Utf16Be,     // UTF-16 big-endian with a byte-order mark: not read
  Binary,      // NUL bytes without a UTF-16 mark: not read
};

struct IniKey {
  std::wstring name;
  std::wstring raw;    // the text after "=", blanks dropped
  std::wstring value;  // as read: `raw` without one pair of matching quotes
  int line = 0;
};

struct IniSection {
  std::wstring name;
  int line = 0;
  std::vector<IniKey> keys;

  // The first key of this name (case ignored), or null.
  const IniKey* Find(std::wstring_view key) const;
};

// A line that the reader takes for nothing useful.
struct StrayLine {
  int line = 0;
  enum class Kind { NoEquals, UnclosedSection, KeyBeforeSection } kind = Kind::NoEquals;
};

struct ScannedIni {
  TextEncoding encoding = TextEncoding::Ansi;
  bool empty = true;  // no section and no key
  std::vector<IniSection> sections;
  std::vector<StrayLine> strays;

  // The first section of this name (case ignored), or null.
  const IniSection* Find(std::wstring_view section) const;
  // The value the reader returns, or null when section or key is missing.
  const IniKey* FindKey(std::wstring_view section, std::wstring_view key) const;

  std::unordered_map<std::wstring, std::size_t> index;  // lower-case name -> first section
};

// Lower-case ASCII letters; other characters stay.
std::wstring FoldCase(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// Turns text in the PC's ANSI code page into characters.
using AnsiDecoder = std::function<std::wstring(std::string_view bytes)>;

// Any bytes are read; an encoding the reader does not read yields no
// sections. ANSI text goes through `decodeAnsi`; without one each byte
// becomes the character of its value (ASCII names and values stay exact).
ScannedIni ScanIni(std::string_view bytes, const AnsiDecoder& decodeAnsi = {});

}  // namespace vorlan::check
