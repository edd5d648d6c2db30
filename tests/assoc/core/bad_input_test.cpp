// Hostile or broken reply texts: no packet or a well-defined one, never a
// crash (the native build runs this under AddressSanitizer and UBSan).

#include <gtest/gtest.h>

#include <string>

#include "assoc/core/client_info_packets.h"
#include "assoc/core/package_list_packets.h"
#include "assoc/core/packet_text.h"

using Json::CreatePacket;

TEST(PacketBadInput, DeepNestingIsNoPacket) {
  std::string arrays = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_FALSE(CreatePacket(arrays));

  std::string inside = R"({"JSON_TYPE": 1, "x": )" + std::string(50000, '[') + std::string(50000, ']') + "}";
  EXPECT_FALSE(CreatePacket(inside));

  std::string objects;
  for (int i = 0; i < 20000; ++i) objects += "{\"a\":";
  objects += "1" + std::string(20000, '}');
  EXPECT_FALSE(CreatePacket(objects));

  std::string unclosed(200000, '[');
  EXPECT_FALSE(CreatePacket(unclosed));

  // Moderate nesting in a key nobody reads is still a packet.
  std::string moderate = R"({"JSON_TYPE": 1, "x": )" + std::string(100, '[') + std::string(100, ']') + "}";
  EXPECT_TRUE(CreatePacket(moderate));
}

TEST(PacketBadInput, HugeArraysAreReadWhole) {
  std::string ids = R"({"JSON_TYPE": 2, "PKGIDLIST": [)";
  for (int i = 1; i <= 200000; ++i) ids += std::to_string(i) + ",";
  ids += "0]}";
  auto packet = CreatePacket(ids);
  auto* request = dynamic_cast<Json::CJsonQuerayPkgListInfo*>(packet.get());
  ASSERT_TRUE(request);
  ASSERT_EQ(request->pkgIds.size(), 200001u);
  EXPECT_EQ(request->pkgIds[199999], 200000u);

  std::string list = R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": [)";
  for (int i = 0; i < 50000; ++i) list += R"({"PKGINFO_PKGID": )" + std::to_string(i % 1000) + "},";
  list += "{}]}";
  auto reply = CreatePacket(list);
  auto* ack = dynamic_cast<Json::CJsonQuerayPkgListInfoAck*>(reply.get());
  ASSERT_TRUE(ack);
  EXPECT_EQ(ack->pkgInfo.size(), 999u);  // ids 1..999; 0 and the empty object skipped
}

TEST(PacketBadInput, NulsAndOddBytesStayInTheText) {
  auto escaped = CreatePacket(R"({"JSON_TYPE": 2147483649, "ProductVersion": "9.\u0000.0"})");
  auto* info = dynamic_cast<Json::CJsonQuerayBcInfoAck*>(escaped.get());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->productVersion, std::string("9.\0.0", 5));

  std::string raw = "{\"JSON_TYPE\": 2147483650, \"PKGINFO_LIST\": [{\"PKGINFO_PKGID\": 1, \"PKGINFO_PKGPATH\": \"C:\\\\";
  raw += std::string("a\0b\xff\xfe\x80\xd3\xce", 8);
  raw += "\"}]}";
  auto packet = CreatePacket(raw);
  auto* ack = dynamic_cast<Json::CJsonQuerayPkgListInfoAck*>(packet.get());
  ASSERT_TRUE(ack);
  EXPECT_EQ(ack->pkgInfo.at(1).pkgPath, std::string("C:\\a\0b\xff\xfe\x80\xd3\xce", 11));

  // A NUL outside a string ends nothing early and is no JSON.
  EXPECT_FALSE(CreatePacket(std::string("{\"JSON_TYPE\":\0 1}", 17)));
  EXPECT_FALSE(CreatePacket(std::string("\0{\"JSON_TYPE\": 1}", 17)));
  // Broken escapes.
  EXPECT_FALSE(CreatePacket(R"({"JSON_TYPE": 2147483649, "ProductVersion": "\uD800"})"));
  EXPECT_FALSE(CreatePacket(R"({"JSON_TYPE": 2147483649, "ProductVersion": "\u12"})"));
  EXPECT_FALSE(CreatePacket(R"({"JSON_TYPE": 2147483649, "ProductVersion": "abc)"));
}

TEST(PacketBadInput, NumbersOutOfRangeAreNoPacket) {
  for (const char* text : {
           R"({"JSON_TYPE": 1e400})",
           R"({"JSON_TYPE": -1e400})",
           R"({"JSON_TYPE": 99999999999999999999999999})",
           R"({"JSON_TYPE": 1e10})",
           R"({"JSON_TYPE": 18446744073709551615})",
           R"({"JSON_TYPE": -9223372036854775808})",
           R"({"JSON_TYPE": 2, "PKGIDLIST": [4294967296]})",
           R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": [{"PKGINFO_PKGID": 1e300}]})",
           R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": [{"PKGINFO_PKGID": -0.5e1}]})",
       }) {
    EXPECT_FALSE(CreatePacket(text)) << text;
  }
}

TEST(PacketBadInput, LongTextsAreHandled) {
  std::string path(1 << 20, 'x');
  auto packet = CreatePacket(R"({"JSON_TYPE": 2147483651, "AuthParam": ")" + path + "\"}");
  auto* auth = dynamic_cast<Json::CJsonQuerayAuthParamAck*>(packet.get());
  ASSERT_TRUE(auth);
  EXPECT_EQ(auth->authParam.size(), path.size());

  std::string blanks(1 << 20, ' ');
  EXPECT_FALSE(CreatePacket(blanks));
  auto padded = CreatePacket(blanks + R"({"JSON_TYPE": 4})" + blanks);
  ASSERT_TRUE(padded);
  EXPECT_EQ(padded->type, 4u);
}
