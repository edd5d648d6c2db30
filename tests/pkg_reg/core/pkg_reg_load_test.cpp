// Checking and reading whole files, and writing them back.

#include <gtest/gtest.h>

#include "pkg_reg/core/pkg_reg.h"
#include "pkg_reg_bytes.h"

using namespace pkgreg_test;

namespace {

PkgRegLoadStatus Load(Bytes bytes, CPkgReg* into = nullptr) {
  CPkgReg local;
  CPkgReg& reg = into ? *into : local;
  return reg.LoadFromBuffer(bytes);
}

// Two entries: a REG_SZ value and a key's default value of type REG_DWORD.
Bytes TwoEntryBody() {
  Bytes b;
  Put32(b, 2);
  PutEntry(b, 0, 1, "HKLM\\Software\\Foo\\InstallPath", std::string_view("%InstallDir%\\bin\0", 17));
  PutEntry(b, 1, 4, "HKCU\\Software\\Foo", std::string_view("\x78\x56\x34\x12", 4));
  return b;
}

}  // namespace

TEST(PkgRegLoad, TheSmallestFileIsACountOfZeroAndItsCrc) {
  const Bytes smallest{0, 0, 0, 0, 0x21, 0x44, 0xDF, 0x1C};
  CPkgReg reg;
  EXPECT_EQ(Load(smallest, &reg), PkgRegLoadStatus::Loaded);
  EXPECT_TRUE(reg.Entries().empty());
  EXPECT_EQ(reg.Checksum(), 0x2144DF1Cu);

  CPkgReg empty;
  EXPECT_EQ(empty.ToFileBytes(), smallest);
  EXPECT_EQ(empty.Size(), 8u);
}

TEST(PkgRegLoad, FilesTooShortForCountAndChecksumFail) {
  for (std::size_t n = 0; n < 4; ++n) EXPECT_EQ(Load(Bytes(n, 0)), PkgRegLoadStatus::TooShort) << n;
  // Four zero bytes: the CRC-32 of nothing is 0, so the checksum matches,
  // but after the count no checksum is left to read.
  EXPECT_EQ(Load(Bytes(4, 0)), PkgRegLoadStatus::BadBody);
}

TEST(PkgRegLoad, AnyChangedBitFailsTheChecksum) {
  const Bytes good = Sealed(TwoEntryBody());
  ASSERT_EQ(Load(good), PkgRegLoadStatus::Loaded);
  for (std::size_t i = 0; i < good.size(); ++i) {
    Bytes bad = good;
    bad[i] ^= static_cast<std::uint8_t>(1u << (i % 8));
    ASSERT_EQ(Load(bad), PkgRegLoadStatus::ChecksumMismatch) << "byte " << i;
  }
}

TEST(PkgRegLoad, TruncatedBodiesFailEvenWithAMatchingChecksum) {
  const Bytes body = TwoEntryBody();
  for (std::size_t k = 0; k < body.size(); ++k) {
    const Bytes truncated = Sealed(Bytes(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(k)));
    ASSERT_NE(Load(truncated), PkgRegLoadStatus::Loaded) << "cut at " << k;
  }
}

TEST(PkgRegLoad, CountsAndLengthsBeyondTheFileFailBeforeAllocating) {
  Bytes hugeCount;
  Put32(hugeCount, 0xFFFFFFFFu);
  EXPECT_EQ(Load(Sealed(hugeCount)), PkgRegLoadStatus::BadBody);

  // One entry needs 13 bytes and the checksum 4: 16 remaining is one short.
  Bytes oneShort;
  Put32(oneShort, 1);
  oneShort.resize(4 + 12);
  EXPECT_EQ(Load(Sealed(oneShort)), PkgRegLoadStatus::BadBody);

  Bytes hugeName;
  Put32(hugeName, 1);
  hugeName.push_back(0);
  Put32(hugeName, 1);
  Put32(hugeName, 0xFFFFFFF0u);
  PutText(hugeName, "HKLM\\abc");
  EXPECT_EQ(Load(Sealed(hugeName)), PkgRegLoadStatus::BadBody);

  Bytes hugeData;
  Put32(hugeData, 1);
  PutEntry(hugeData, 0, 1, "HKLM\\A\\B", "");
  hugeData.resize(hugeData.size() - 4);
  Put32(hugeData, 0x80000000u);
  EXPECT_EQ(Load(Sealed(hugeData)), PkgRegLoadStatus::BadBody);
}

TEST(PkgRegLoad, ReadsEveryFieldOfEveryEntry) {
  CPkgReg reg;
  const Bytes file = Sealed(TwoEntryBody());
  ASSERT_EQ(Load(file, &reg), PkgRegLoadStatus::Loaded);
  ASSERT_EQ(reg.Entries().size(), 2u);
  const CPkgRegEntry& first = reg.Entries()[0];
  EXPECT_EQ(first.Flag(), 0);
  EXPECT_EQ(first.Type(), 1u);
  EXPECT_EQ(first.Name(), B("HKLM\\Software\\Foo\\InstallPath"));
  EXPECT_EQ(first.Data(), B(std::string_view("%InstallDir%\\bin\0", 17)));
  EXPECT_EQ(first.Size(), 13u + 29u + 17u);
  const CPkgRegEntry& second = reg.Entries()[1];
  EXPECT_EQ(second.Flag(), 1);
  EXPECT_EQ(second.Type(), 4u);
  EXPECT_EQ(second.Data(), (Bytes{0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(reg.Size(), file.size());
  const std::uint32_t crc = vorlan::pkgreg::Crc32(std::span(file).first(file.size() - 4));
  EXPECT_EQ(reg.Checksum(), crc);
}

TEST(PkgRegLoad, BytesAfterTheChecksumFieldAreNotExamined) {
  // The entries end early: the 4 bytes after them are read as the checksum
  // field, the rest of the file only counts for the CRC.
  Bytes body;
  Put32(body, 0);
  Put32(body, 0xCAFEF00Du);
  PutText(body, "junk");
  CPkgReg reg;
  EXPECT_EQ(Load(Sealed(body), &reg), PkgRegLoadStatus::Loaded);
  EXPECT_EQ(reg.Checksum(), 0xCAFEF00Du);
}

TEST(PkgRegLoad, WrittenFilesReadBackTheSame) {
  std::vector<CPkgRegEntry> entries;
  entries.emplace_back(0, 1, B("HKLM\\Software\\Foo\\InstallPath"), B(std::string_view("%InstallDir%\0", 13)));
  entries.emplace_back(1, 4, B("HKCU\\Software\\Foo"), Bytes{1, 0, 0, 0});
  entries.emplace_back(0xFF, 0xDEADBEEF, Bytes{}, Bytes{});
  entries.emplace_back(0, 3, B("HKCR\\.x\\Blob"), Bytes(1000, 0xA5));
  CPkgReg reg(entries);
  const auto bytes = reg.ToFileBytes();
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), reg.Size());

  // The layout is the one a reader expects, field by field.
  Bytes expected;
  Put32(expected, 4);
  PutEntry(expected, 0, 1, "HKLM\\Software\\Foo\\InstallPath", std::string_view("%InstallDir%\0", 13));
  PutEntry(expected, 1, 4, "HKCU\\Software\\Foo", std::string_view("\1\0\0\0", 4));
  PutEntry(expected, 0xFF, 0xDEADBEEF, "", "");
  PutEntry(expected, 0, 3, "HKCR\\.x\\Blob", std::string(1000, '\xA5'));
  EXPECT_EQ(*bytes, Sealed(expected));

  CPkgReg back;
  ASSERT_EQ(Load(*bytes, &back), PkgRegLoadStatus::Loaded);
  ASSERT_EQ(back.Entries().size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(back.Entries()[i].Flag(), entries[i].Flag()) << i;
    EXPECT_EQ(back.Entries()[i].Type(), entries[i].Type()) << i;
    EXPECT_EQ(back.Entries()[i].Name(), entries[i].Name()) << i;
    EXPECT_EQ(back.Entries()[i].Data(), entries[i].Data()) << i;
  }
  EXPECT_EQ(back.Checksum(), reg.Checksum());
  EXPECT_EQ(back.ToFileBytes(), bytes);
}

TEST(PkgRegLoad, WritingIntoAStreamWithoutRoomFails) {
  CPkgReg reg({CPkgRegEntry(0, 1, B("HKLM\\A\\B"), B("x"))});
  for (int size = 0; size < static_cast<int>(reg.Size()); ++size) {
    CPktStreamData stream(size);
    ASSERT_EQ(reg.Write(stream), -1) << size;
  }
  CPktStreamData stream(static_cast<int>(reg.Size()));
  EXPECT_EQ(reg.Write(stream), 0);
  EXPECT_EQ(stream.Remaining(), 0);
}
