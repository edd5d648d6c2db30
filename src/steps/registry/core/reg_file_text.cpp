#include "steps/registry/core/reg_file_text.h"

#include <algorithm>

namespace vorlan {
namespace {

constexpr std::wstring_view kVersion5Header = L"Windows Registry Editor Version 5.00";
constexpr std::wstring_view kRegedit4Header = L"REGEDIT4";

std::optional<RegFileFormat> HeaderFormat(std::wstring_view line) {
  while (!line.empty() && (line.back() == L' ' || line.back() == L'\t' || line.back() == L'\r')) line.remove_suffix(1);
  if (line == kVersion5Header) return RegFileFormat::Version5;
  if (line == kRegedit4Header) return RegFileFormat::Regedit4;
  return std::nullopt;
}

void AppendCodePoint(std::uint32_t code, std::wstring& out) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (code > 0xFFFF) {
      code -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(code));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// Returns where the first bad sequence starts, if there is one.
std::optional<std::size_t> DecodeUtf8(std::span<const std::uint8_t> bytes, std::wstring& out) {
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::uint8_t lead = bytes[i];
    if (lead < 0x80) {
      out.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    std::size_t length;
    std::uint32_t code;
    std::uint32_t least;
    if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07, least = 0x10000;
    } else {
      return i;
    }
    if (bytes.size() - i < length) return i;
    for (std::size_t k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return i;
      code = (code << 6) | (bytes[i + k] & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return i;
    AppendCodePoint(code, out);
    i += length;
  }
  return std::nullopt;
}

std::size_t LineOfByte(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return 1 + static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

RegFileError Refused(std::size_t line, const char* reason) { return RegFileError{line, reason}; }

}  // namespace

std::optional<RegFileError> RegFileText::Decode(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi) {
  text_.clear();
  starts_.clear();
  bool oddUtf16 = false;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    const auto body = bytes.subspan(2);
    text_ = WideFromUtf16Le(body);
    oddUtf16 = body.size() % 2 != 0;
  } else {
    const bool utf8Mark = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    const auto body = utf8Mark ? bytes.subspan(3) : bytes;
    const auto firstEnd = std::find(body.begin(), body.end(), '\n');
    const auto format = HeaderFormat(std::wstring(body.begin(), firstEnd));
    if (!format) return Refused(1, "bad header");
    if (!utf8Mark && *format == RegFileFormat::Regedit4) {
      if (!decodeAnsi) return Refused(1, "no ANSI code page conversion");
      std::size_t from = 0;
      for (std::size_t line = 1;; ++line) {
        std::size_t end = from;
        while (end < body.size() && body[end] != '\n') ++end;
        std::size_t textEnd = end;
        if (textEnd > from && body[textEnd - 1] == '\r') --textEnd;
        const auto wide =
            decodeAnsi(std::string_view(reinterpret_cast<const char*>(body.data()) + from, textEnd - from));
        if (!wide) return Refused(line, "text not valid in the ANSI code page");
        text_.append(*wide);
        if (end == body.size()) break;
        text_.push_back(L'\n');
        from = end + 1;
      }
    } else if (const auto bad = DecodeUtf8(body, text_)) {
      return Refused(LineOfByte(body, *bad), "bad UTF-8");
    }
  }

  starts_.push_back(0);
  for (std::size_t i = 0; i < text_.size(); ++i)
    if (text_[i] == L'\n') starts_.push_back(i + 1);

  const auto format = HeaderFormat(Line(0));
  if (!format) return Refused(1, "bad header");
  format_ = *format;
  if (oddUtf16) return Refused(LineCount(), "UTF-16 text of an odd number of bytes");
  const std::size_t nul = text_.find(L'\0');
  if (nul != std::wstring::npos) {
    const auto line = std::upper_bound(starts_.begin(), starts_.end(), nul) - starts_.begin();
    return Refused(static_cast<std::size_t>(line), "NUL character");
  }
  return std::nullopt;
}

std::wstring_view RegFileText::Line(std::size_t index) const {
  const std::size_t begin = starts_[index];
  const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] - 1 : text_.size();
  std::wstring_view line(text_.data() + begin, end - begin);
  if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
  return line;
}

void AppendUtf16Le(std::wstring_view text, std::vector<std::uint8_t>& out) {
  out.reserve(out.size() + 2 * text.size());
  const auto put = [&out](std::uint32_t unit) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  };
  for (const wchar_t c : text) {
    const auto code = static_cast<std::uint32_t>(c);
    if (code <= 0xFFFF) {
      put(code);
    } else if (code <= 0x10FFFF) {
      put(0xD800 + ((code - 0x10000) >> 10));
      put(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      put(0xFFFD);
    }
  }
}

std::wstring WideFromUtf16Le(std::span<const std::uint8_t> bytes) {
  std::wstring out;
  const std::size_t units = bytes.size() / 2;
  out.reserve(units);
  const auto unit = [&bytes](std::size_t i) -> std::uint32_t { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t u = unit(i);
    if constexpr (sizeof(wchar_t) > 2) {
      if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
        out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00)));
        ++i;
        continue;
      }
    }
    out.push_back(static_cast<wchar_t>(u));
  }
  return out;
}

}  // namespace vorlan
