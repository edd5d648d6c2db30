#include "steps/files/core/reparse_buffer.h"

#include "platform/core/path_join.h"

namespace vorlan {
namespace {

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  PutU16(out, at, v & 0xFFFF);
  PutU16(out, at + 2, v >> 16);
}

std::uint32_t GetU16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t GetU32(const std::uint8_t* p) { return GetU16(p) | (GetU16(p + 2) << 16); }

}  // namespace

std::u16string ToUtf16(std::wstring_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    const auto code = static_cast<std::uint32_t>(c);
    if (code > 0xFFFF && code <= 0x10FFFF) {
      const std::uint32_t v = code - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else if (code > 0x10FFFF) {
      out.push_back(u'\uFFFD');
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return out;
}

std::wstring FromUtf16(std::u16string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if constexpr (sizeof(wchar_t) == 2) {
      out.push_back(static_cast<wchar_t>(c));
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      const std::uint32_t v = 0x10000 + ((static_cast<std::uint32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      out.push_back(static_cast<wchar_t>(v));
      ++i;
    } else {
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

std::wstring SubstituteNameFor(std::wstring_view fullTargetPath) { return PathJoin(L"\\??\\", fullTargetPath); }

ReparseRequest BuildMountPointRequest(std::wstring_view substituteName) {
  ReparseRequest request;
  const std::u16string name = ToUtf16(substituteName);
  const std::size_t n = name.size();
  // The data length (2n+12) is the largest 16-bit field.
  if (n == 0 || 2 * n + 12 > 0xFFFF) return request;
  request.bytes.assign(2 * n + 24, 0);
  PutU32(request.bytes, 0, kMountPointTag);
  PutU16(request.bytes, 4, static_cast<std::uint32_t>(2 * n + 12));
  // bytes 6-7 reserved, bytes 8-9 substitute-name offset 0
  PutU16(request.bytes, 10, static_cast<std::uint32_t>(2 * n));
  PutU16(request.bytes, 12, static_cast<std::uint32_t>(2 * n + 2));
  // bytes 14-15 print-name length 0
  for (std::size_t i = 0; i < n; ++i) PutU16(request.bytes, 16 + 2 * i, name[i]);
  request.inputLength = static_cast<std::uint32_t>(2 * n + 20);
  return request;
}

ReparseRequest BuildDeleteMountPointRequest() {
  ReparseRequest request;
  request.bytes.assign(24, 0);
  PutU32(request.bytes, 0, kMountPointTag);
  request.inputLength = 24;
  return request;
}

std::optional<std::wstring> MountPointSubstituteName(const std::uint8_t* bytes, std::size_t size) {
  constexpr std::size_t kHeader = 16;
  if (!bytes || size < kHeader || GetU32(bytes) != kMountPointTag) return std::nullopt;
  const std::size_t dataLength = GetU16(bytes + 4);
  const std::size_t offset = GetU16(bytes + 8);
  const std::size_t length = GetU16(bytes + 10);
  if (length % 2 != 0 || 8 + dataLength > size || kHeader + offset + length > 8 + dataLength) return std::nullopt;
  std::u16string name;
  for (std::size_t i = 0; i < length; i += 2) name.push_back(static_cast<char16_t>(GetU16(bytes + kHeader + offset + i)));
  return FromUtf16(name);
}

std::wstring VolumeRootFor(std::wstring_view linkPath) {
  if (linkPath.size() >= 2 && linkPath[1] == L':') return std::wstring(1, linkPath[0]) + L":\\";
  return L"x:\\";
}

}  // namespace vorlan
