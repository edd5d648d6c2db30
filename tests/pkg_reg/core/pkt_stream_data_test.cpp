#include "pkg_reg/core/pkt_stream_data.h"

#include <gtest/gtest.h>

#include <vector>

using Bytes = std::vector<std::uint8_t>;

TEST(PktStreamData, WritesBigEndianIntegersAndLengthPrefixedBlocks) {
  CPktStreamData stream(13);
  EXPECT_TRUE(stream.OwnsData());
  EXPECT_EQ(stream.WriteByte(0xAB), 0);
  EXPECT_EQ(stream.WriteUInt32(0x01020304u), 0);
  EXPECT_EQ(stream.WriteBlock(Bytes{'x', 'y', 'z'}), 0);
  EXPECT_EQ(stream.Position(), 12);
  EXPECT_EQ(Bytes(stream.Data(), stream.Data() + 13), (Bytes{0xAB, 1, 2, 3, 4, 0, 0, 0, 3, 'x', 'y', 'z', 0}));
}

TEST(PktStreamData, AWriteWithoutRoomFailsWhereItStopped) {
  Bytes buffer(6, 0xEE);
  CPktStreamData stream(buffer.data(), 6);
  EXPECT_FALSE(stream.OwnsData());
  EXPECT_EQ(stream.WriteByte(1), 0);
  EXPECT_EQ(stream.WriteBlock(Bytes{'a', 'b'}), -1);  // the length fits, its bytes do not
  EXPECT_EQ(stream.Position(), 5);
  EXPECT_EQ(stream.WriteUInt32(7), -1);
  EXPECT_EQ(stream.Position(), 5);
  EXPECT_EQ(stream.WriteByte(9), 0);
  EXPECT_EQ(stream.WriteByte(9), -1);
  EXPECT_EQ(buffer, (Bytes{1, 0, 0, 0, 2, 9}));
}

TEST(PktStreamData, ReadsMirrorWritesAndFailWhereTheyStop) {
  Bytes bytes{0x7F, 0xFE, 0xDC, 0xBA, 0x98, 0, 0, 0, 2, 'h', 'i', 0, 0, 0, 9, 'x'};
  CReadPktStreamData stream(bytes.data(), static_cast<int>(bytes.size()));
  std::uint8_t flag = 0;
  std::uint32_t value = 0;
  Bytes block{'o', 'l', 'd'};
  EXPECT_EQ(stream.ReadByte(flag), 0);
  EXPECT_EQ(flag, 0x7F);
  EXPECT_EQ(stream.ReadUInt32(value), 0);
  EXPECT_EQ(value, 0xFEDCBA98u);
  EXPECT_EQ(stream.ReadBlock(block), 0);
  EXPECT_EQ(block, (Bytes{'h', 'i'}));
  // A length of 9 with one byte left: the old bytes are gone, nothing taken.
  EXPECT_EQ(stream.ReadBlock(block), -1);
  EXPECT_TRUE(block.empty());
  EXPECT_EQ(stream.Position(), 15);
  EXPECT_EQ(stream.ReadUInt32(value), -1);
  EXPECT_EQ(stream.Position(), 15);
  EXPECT_EQ(stream.ReadByte(flag), 0);
  EXPECT_EQ(flag, 'x');
  EXPECT_EQ(stream.ReadByte(flag), -1);
}
