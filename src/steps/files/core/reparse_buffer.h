#pragma once
// The bytes of the mount-point (directory junction) reparse requests, built
// without Windows headers so that the layout is checked byte for byte on
// any host. Texts are encoded as UTF-16LE explicitly: wchar_t is 16 bits on
// Windows but 32 bits elsewhere.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

inline constexpr std::uint32_t kMountPointTag = 0xA0000003;
inline constexpr std::uint32_t kSetReparsePointCode = 0x900A4;     // FSCTL_SET_REPARSE_POINT
inline constexpr std::uint32_t kDeleteReparsePointCode = 0x900AC;  // FSCTL_DELETE_REPARSE_POINT
inline constexpr std::uint32_t kReparsePointAttribute = 0x400;     // FILE_ATTRIBUTE_REPARSE_POINT
inline constexpr std::uint32_t kSupportsReparsePoints = 0x80;      // FILE_SUPPORTS_REPARSE_POINTS

// UTF-16 code units of a wide text (surrogate pairs for characters above
// U+FFFF where wchar_t is 32 bits wide).
std::u16string ToUtf16(std::wstring_view text);

// Wide text of UTF-16 code units (surrogate pairs joined where wchar_t is
// 32 bits wide).
std::wstring FromUtf16(std::u16string_view text);

// The name a junction stores: "\??\" joined with the target's full path.
std::wstring SubstituteNameFor(std::wstring_view fullTargetPath);

struct ReparseRequest {
  std::vector<std::uint8_t> bytes;  // the whole buffer
  std::uint32_t inputLength = 0;    // what the control call is given
};

// Set request for a mount point with this substitute name and an empty
// print name. For n UTF-16 units of the name: a zeroed buffer of 2n+24
// bytes; tag; data length 2n+12; substitute name at offset 0, length 2n;
// print name at offset 2n+2, length 0; the name and its terminator from
// byte 16; input length 2n+20. Empty bytes when the name is empty or too
// long for the 16-bit length fields.
ReparseRequest BuildMountPointRequest(std::wstring_view substituteName);

// Delete request: 24 zero bytes but the tag.
ReparseRequest BuildDeleteMountPointRequest();

// The substitute name held by a mount-point reparse buffer as the system
// returns it; nullopt when the bytes are not a well-formed mount point.
std::optional<std::wstring> MountPointSubstituteName(const std::uint8_t* bytes, std::size_t size);

// Root of the volume a link lives on: "C:\" for "C:\...", the literal
// "x:\" when the path has no drive letter.
std::wstring VolumeRootFor(std::wstring_view linkPath);

}  // namespace vorlan
