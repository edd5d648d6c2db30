#include "steps/files/core/reparse_buffer.h"

#include <gtest/gtest.h>

#include <vector>

using vorlan::BuildDeleteMountPointRequest;
using vorlan::BuildMountPointRequest;

TEST(MountPointRequest, BytesOfAShortTargetOneByOne) {
  const vorlan::ReparseRequest r = BuildMountPointRequest(L"\\??\\C:\\G");
  const std::vector<std::uint8_t> expected = {
      0x03, 0x00, 0x00, 0xA0,  // tag: mount point
      0x1C, 0x00,              // data length 2n+12 = 28
      0x00, 0x00,              // reserved
      0x00, 0x00,              // substitute name offset
      0x10, 0x00,              // substitute name length 2n = 16
      0x12, 0x00,              // print name offset 2n+2 = 18
      0x00, 0x00,              // print name length
      '\\', 0, '?', 0, '?', 0, '\\', 0, 'C', 0, ':', 0, '\\', 0, 'G', 0,
      0x00, 0x00,              // terminator of the substitute name
      0x00, 0x00,              // the empty print name
      0x00, 0x00, 0x00, 0x00,  // rest of the 2n+24 bytes
  };
  EXPECT_EQ(r.bytes, expected);
  EXPECT_EQ(r.inputLength, 36u);  // 2n+20
}

TEST(MountPointRequest, NamesOutsideAsciiAreUtf16LittleEndian) {
  // U+6E38 (a CJK character) is one unit; U+1F3AE needs a surrogate pair.
  const std::wstring name = std::wstring(L"\\??\\D:\\") + L'\x6E38' + vorlan::FromUtf16(u"\U0001F3AE");
  const vorlan::ReparseRequest r = BuildMountPointRequest(name);
  const std::size_t n = 7 + 1 + 2;
  ASSERT_EQ(r.bytes.size(), 2 * n + 24);
  EXPECT_EQ(r.inputLength, 2 * n + 20);
  EXPECT_EQ(r.bytes[4], 2 * n + 12);
  EXPECT_EQ(r.bytes[10], 2 * n);
  EXPECT_EQ(r.bytes[12], 2 * n + 2);
  EXPECT_EQ(r.bytes[16 + 14], 0x38);
  EXPECT_EQ(r.bytes[16 + 15], 0x6E);
  EXPECT_EQ(r.bytes[16 + 16], 0x3C);  // 0xD83C
  EXPECT_EQ(r.bytes[16 + 17], 0xD8);
  EXPECT_EQ(r.bytes[16 + 18], 0xAE);  // 0xDFAE
  EXPECT_EQ(r.bytes[16 + 19], 0xDF);
  for (std::size_t i = 16 + 2 * n; i < r.bytes.size(); ++i) EXPECT_EQ(r.bytes[i], 0) << i;
}

TEST(MountPointRequest, LargestFieldsAndRefusals) {
  // A full 260-character target is far inside the 16-bit fields.
  const std::wstring longName = vorlan::SubstituteNameFor(L"C:\\" + std::wstring(256, L'a'));
  const vorlan::ReparseRequest r = BuildMountPointRequest(longName);
  const std::size_t n = longName.size();
  ASSERT_EQ(r.bytes.size(), 2 * n + 24);
  EXPECT_EQ(r.bytes[4] | (r.bytes[5] << 8), static_cast<int>(2 * n + 12));
  EXPECT_EQ(r.bytes[12] | (r.bytes[13] << 8), static_cast<int>(2 * n + 2));
  // Nothing to link to, or a name the length fields cannot hold.
  EXPECT_TRUE(BuildMountPointRequest(L"").bytes.empty());
  EXPECT_TRUE(BuildMountPointRequest(std::wstring(32762, L'a')).bytes.empty());
  EXPECT_FALSE(BuildMountPointRequest(std::wstring(32761, L'a')).bytes.empty());
}

TEST(MountPointRequest, SubstituteNameIsTheFullPathBehindTheNtPrefix) {
  EXPECT_EQ(vorlan::SubstituteNameFor(L"C:\\Games\\Save"), L"\\??\\C:\\Games\\Save");
  EXPECT_EQ(vorlan::SubstituteNameFor(L"\\\\server\\share"), L"\\??\\server\\share");
}

TEST(MountPointRequest, DeleteRequestHoldsOnlyTheTag) {
  const vorlan::ReparseRequest r = BuildDeleteMountPointRequest();
  std::vector<std::uint8_t> expected(24, 0);
  expected[0] = 0x03;
  expected[3] = 0xA0;
  EXPECT_EQ(r.bytes, expected);
  EXPECT_EQ(r.inputLength, 24u);
}

TEST(MountPointRequest, ReadingBackTheNameOfAJunction) {
  const std::wstring name = L"\\??\\C:\\Games\\\x6E38\x620F";
  const vorlan::ReparseRequest r = BuildMountPointRequest(name);
  auto back = vorlan::MountPointSubstituteName(r.bytes.data(), r.inputLength);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, name);

  std::vector<std::uint8_t> other = r.bytes;
  other[3] = 0x80;  // a symbolic-link tag is not a mount point
  EXPECT_FALSE(vorlan::MountPointSubstituteName(other.data(), other.size()).has_value());
  EXPECT_FALSE(vorlan::MountPointSubstituteName(r.bytes.data(), 20).has_value());
  EXPECT_FALSE(vorlan::MountPointSubstituteName(r.bytes.data(), 8).has_value());
  EXPECT_FALSE(vorlan::MountPointSubstituteName(nullptr, 0).has_value());
  other = r.bytes;
  other[10] = 0xFF;  // a name length beyond the data
  other[11] = 0x7F;
  EXPECT_FALSE(vorlan::MountPointSubstituteName(other.data(), other.size()).has_value());
}

TEST(MountPointRequest, VolumeRootOfTheLink) {
  EXPECT_EQ(vorlan::VolumeRootFor(L"C:\\Users\\a"), L"C:\\");
  EXPECT_EQ(vorlan::VolumeRootFor(L"d:"), L"d:\\");
  EXPECT_EQ(vorlan::VolumeRootFor(L"\\\\server\\share\\x"), L"x:\\");
  EXPECT_EQ(vorlan::VolumeRootFor(L"relative\\x"), L"x:\\");
  EXPECT_EQ(vorlan::VolumeRootFor(L"C"), L"x:\\");
}
