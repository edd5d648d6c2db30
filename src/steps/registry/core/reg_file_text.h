#pragma once
// The text of a registry editor file (.reg), line by line, as wide text.
//
// "Windows Registry Editor Version 5.00" files are UTF-16LE behind the mark
// FF FE; UTF-8, with or without its mark EF BB BF, is read as well.
// "REGEDIT4" files are in the PC's ANSI code page, which only the Win32 side
// can convert, so the caller hands in the conversion. The header line picks
// the format, the mark the encoding: a marked file may have either header,
// an unmarked one is ANSI under "REGEDIT4" and UTF-8 otherwise.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

enum class RegFileFormat { Version5, Regedit4 };

// Text of the PC's ANSI code page as wide text; nullopt when the bytes are
// not valid in that code page. Called once per line and once per run of
// non-NUL bytes of an ANSI string value.
using AnsiDecoder = std::function<std::optional<std::wstring>(std::string_view)>;

// Why a file is refused: the line (from 1) and a short English reason.
struct RegFileError {
  std::size_t line = 0;
  std::string reason;
};

class RegFileText {
 public:
  // Decodes `bytes` and checks the header line. Refused: a header that is
  // neither of the two (trailing blanks allowed), a UTF-16 text of an odd
  // number of bytes, bad UTF-8, ANSI text the decoder turns down, and a NUL
  // character anywhere.
  std::optional<RegFileError> Decode(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi);

  RegFileFormat Format() const { return format_; }
  // Line 0 is the header.
  std::size_t LineCount() const { return starts_.size(); }
  // Without its "\n" or "\r\n".
  std::wstring_view Line(std::size_t index) const;

 private:
  void Append(std::wstring_view text);

  RegFileFormat format_ = RegFileFormat::Version5;
  std::wstring text_;                // the lines with their "\n" separators
  std::vector<std::size_t> starts_;  // where each line begins in text_
};

// Appends the UTF-16LE code units of `text` (surrogate pairs for
// characters above U+FFFF where wchar_t is 32 bits wide).
void AppendUtf16Le(std::wstring_view text, std::vector<std::uint8_t>& out);

// Wide text of UTF-16LE bytes; an odd last byte is left out. Surrogate
// pairs are joined where wchar_t is 32 bits wide; lone ones are kept, so
// that AppendUtf16Le gives back the same bytes.
std::wstring WideFromUtf16Le(std::span<const std::uint8_t> bytes);

}  // namespace vorlan
