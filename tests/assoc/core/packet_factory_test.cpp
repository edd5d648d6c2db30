// Reply texts to packets: which class each code makes, how values are read,
// and which texts are no packet at all.

#include "assoc/core/packet_text.h"

#include <gtest/gtest.h>

#include <string>
#include <typeindex>
#include <typeinfo>

#include "assoc/core/client_info_packets.h"
#include "assoc/core/package_list_packets.h"
#include "assoc/core/sample_packet.h"
#include "assoc/core/virtual_disk_packets.h"

using Json::CreatePacket;

namespace {

template <class T>
const T* As(const std::unique_ptr<Json::CJsonPacketHead>& p) {
  return dynamic_cast<const T*>(p.get());
}

std::unique_ptr<Json::CJsonPacketHead> PackageReply(const std::string& list) {
  return CreatePacket(R"({"JSON_TYPE": 2147483650, "JSON_RESULT": 0, "PKGINFO_LIST": )" + list + "}");
}

}  // namespace

TEST(CreatePacket, EachCodeMakesItsClass) {
  struct Case {
    const char* text;
    std::uint32_t type;
    std::type_index cls;
  };
  const Case cases[] = {
      {R"({"JSON_TYPE": 0})", 0, typeid(Json::CJsonSamplePkt<0>)},
      {R"({"JSON_TYPE": 1})", 1, typeid(Json::CJsonSamplePkt<1>)},
      {R"({"JSON_TYPE": 2})", 2, typeid(Json::CJsonQuerayPkgListInfo)},
      {R"({"JSON_TYPE": 3})", 3, typeid(Json::CJsonSamplePkt<3>)},
      {R"({"JSON_TYPE": 4})", 4, typeid(Json::CJsonConnectVDisk)},
      {R"({"JSON_TYPE": 2147483649})", 0x80000001u, typeid(Json::CJsonQuerayBcInfoAck)},
      {R"({"JSON_TYPE": 2147483650})", 0x80000002u, typeid(Json::CJsonQuerayPkgListInfoAck)},
      {R"({"JSON_TYPE": 2147483651})", 0x80000003u, typeid(Json::CJsonQuerayAuthParamAck)},
      {R"({"JSON_TYPE": 2147483652})", 0x80000004u, typeid(Json::CJsonConnectVDiskAck)},
  };
  for (const Case& c : cases) {
    auto packet = CreatePacket(c.text);
    ASSERT_TRUE(packet) << c.text;
    EXPECT_EQ(packet->type, c.type) << c.text;
    const Json::CJsonPacketHead& made = *packet;
    EXPECT_EQ(std::type_index(typeid(made)), c.cls) << c.text;
  }

  for (const char* unknown : {R"({"JSON_TYPE": 5})", R"({"JSON_TYPE": 2147483648})", R"({"JSON_TYPE": 2147483653})",
                              R"({"JSON_TYPE": 4294967295})"}) {
    EXPECT_FALSE(CreatePacket(unknown)) << unknown;
  }
}

TEST(CreatePacket, ResultIsReadButNotJudged) {
  auto packet = CreatePacket(R"({"JSON_TYPE": 2147483652, "JSON_RESULT": 4294967295})");
  ASSERT_TRUE(packet);
  EXPECT_EQ(packet->result, 4294967295u);
}

TEST(CreatePacket, HeadValuesMustBeUnsigned) {
  for (const char* text : {
           R"({"JSON_TYPE": -1})",
           R"({"JSON_TYPE": -2147483647})",
           R"({"JSON_TYPE": 4294967297})",
           R"({"JSON_TYPE": "1"})",
           R"({"JSON_TYPE": [1]})",
           R"({"JSON_TYPE": {"a": 1}})",
           R"({"JSON_TYPE": 1, "JSON_RESULT": -1})",
           R"({"JSON_TYPE": 1, "JSON_RESULT": "0"})",
           R"({"JSON_TYPE": 2147483652, "JSON_RESULT": 1e12})",
       }) {
    EXPECT_FALSE(CreatePacket(text)) << text;
  }
}

TEST(CreatePacket, MissingKeysReadAsNull) {
  auto sample = CreatePacket("{}");
  ASSERT_TRUE(sample);
  EXPECT_EQ(sample->type, 0u);
  EXPECT_EQ(sample->result, 0u);

  auto version = CreatePacket(R"({"JSON_TYPE": 2147483649})");
  ASSERT_TRUE(As<Json::CJsonQuerayBcInfoAck>(version));
  EXPECT_EQ(As<Json::CJsonQuerayBcInfoAck>(version)->productVersion, "");
  EXPECT_EQ(As<Json::CJsonQuerayBcInfoAck>(version)->bcPath, "");

  auto ids = CreatePacket(R"({"JSON_TYPE": 2})");
  ASSERT_TRUE(As<Json::CJsonQuerayPkgListInfo>(ids));
  EXPECT_TRUE(As<Json::CJsonQuerayPkgListInfo>(ids)->pkgIds.empty());

  auto letters = CreatePacket(R"({"JSON_TYPE": 4})");
  ASSERT_TRUE(As<Json::CJsonConnectVDisk>(letters));
  EXPECT_TRUE(As<Json::CJsonConnectVDisk>(letters)->diskLetters.empty());

  auto list = CreatePacket(R"({"JSON_TYPE": 2147483650, "JSON_RESULT": 0})");
  ASSERT_TRUE(As<Json::CJsonQuerayPkgListInfoAck>(list));
  EXPECT_TRUE(As<Json::CJsonQuerayPkgListInfoAck>(list)->pkgInfo.empty());

  auto entry = PackageReply(R"([{"PKGINFO_PKGID": 9}])");
  ASSERT_TRUE(As<Json::CJsonQuerayPkgListInfoAck>(entry));
  const auto& info = As<Json::CJsonQuerayPkgListInfoAck>(entry)->pkgInfo;
  ASSERT_EQ(info.size(), 1u);
  EXPECT_EQ(info.at(9), (Json::CJsonPkgInfoEntry{9, "", false, false}));
}

TEST(CreatePacket, ANonStringWhereTextIsExpectedIsNoPacket) {
  for (const char* text : {
           R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": [{"PKGINFO_PKGID": 7, "PKGINFO_PKGPATH": 5}]})",
           R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": [{"PKGINFO_PKGID": 7, "PKGINFO_PKGPATH": ["C:"]}]})",
           R"({"JSON_TYPE": 2147483649, "ProductVersion": 8.1})",
           R"({"JSON_TYPE": 2147483649, "ProductVersion": "8.1.0", "BcPath": 0})",
           R"({"JSON_TYPE": 2147483651, "AuthParam": {}})",
           R"({"JSON_TYPE": 4, "DiskLetter": ["A", 2]})",
       }) {
    EXPECT_FALSE(CreatePacket(text)) << text;
  }
}

TEST(CreatePacket, ABooleanWhereTextIsExpectedIsSpelledOut) {
  auto version = CreatePacket(R"({"JSON_TYPE": 2147483649, "ProductVersion": "9.0.0", "BcPath": false})");
  ASSERT_TRUE(As<Json::CJsonQuerayBcInfoAck>(version));
  EXPECT_EQ(As<Json::CJsonQuerayBcInfoAck>(version)->productVersion, "9.0.0");
  EXPECT_EQ(As<Json::CJsonQuerayBcInfoAck>(version)->bcPath, "false");
  auto packages = PackageReply(R"([{"PKGINFO_PKGID": 7, "PKGINFO_PKGPATH": true}])");
  ASSERT_TRUE(As<Json::CJsonQuerayPkgListInfoAck>(packages));
  EXPECT_EQ(As<Json::CJsonQuerayPkgListInfoAck>(packages)->pkgInfo.at(7).pkgPath, "true");
}

TEST(CreatePacket, FlagsAreReadAsTruth) {
  struct Case {
    const char* value;
    bool expected;
  };
  const Case cases[] = {{"true", true},  {"false", false}, {"null", false}, {"1", true},      {"0", false},
                        {"-3", true},    {"0.0", false},   {"0.5", true},   {"\"x\"", true}, {"\"\"", false},
                        {"[0]", true},   {"[]", false},    {"{\"a\": 0}", true}, {"{}", false}};
  for (const Case& c : cases) {
    std::string list = std::string(R"([{"PKGINFO_PKGID": 3, "PKGINFO_BVDISK": )") + c.value +
                       R"(, "PKGINFO_BALREADY": )" + c.value + "}]";
    auto packet = PackageReply(list);
    ASSERT_TRUE(As<Json::CJsonQuerayPkgListInfoAck>(packet)) << c.value;
    const auto& entry = As<Json::CJsonQuerayPkgListInfoAck>(packet)->pkgInfo.at(3);
    EXPECT_EQ(entry.inVirtualDisk, c.expected) << c.value;
    EXPECT_EQ(entry.ready, c.expected) << c.value;
  }
}

TEST(CreatePacket, PackageListIsKeyedByIdLastElementWinsAndIdZeroIsSkipped) {
  auto packet = PackageReply(R"([
      {"PKGINFO_PKGID": 7, "PKGINFO_PKGPATH": "D:\\first\\", "PKGINFO_BVDISK": true, "PKGINFO_BALREADY": true},
      {"PKGINFO_PKGID": 0, "PKGINFO_PKGPATH": "D:\\zero\\", "PKGINFO_BVDISK": true},
      {"PKGINFO_PKGID": 3, "PKGINFO_PKGPATH": "C:\\three"},
      null,
      {"PKGINFO_PKGID": 7, "PKGINFO_PKGPATH": "D:\\second\\", "PKGINFO_BVDISK": false, "PKGINFO_BALREADY": true}
    ])");
  ASSERT_TRUE(As<Json::CJsonQuerayPkgListInfoAck>(packet));
  const auto& info = As<Json::CJsonQuerayPkgListInfoAck>(packet)->pkgInfo;
  ASSERT_EQ(info.size(), 2u);
  EXPECT_EQ(info.begin()->first, 3u);  // held in ascending id order
  EXPECT_EQ(info.at(3), (Json::CJsonPkgInfoEntry{3, "C:\\three", false, false}));
  EXPECT_EQ(info.at(7), (Json::CJsonPkgInfoEntry{7, "D:\\second\\", false, true}));
}

TEST(CreatePacket, ArraysOfTheWrongShapeAreNoPacket) {
  EXPECT_FALSE(PackageReply(R"({"PKGINFO_PKGID": 1})"));
  EXPECT_FALSE(PackageReply("5"));
  EXPECT_FALSE(PackageReply(R"("list")"));
  EXPECT_FALSE(PackageReply(R"([5])"));
  EXPECT_FALSE(PackageReply(R"([{"PKGINFO_PKGID": -7}])"));
  EXPECT_FALSE(PackageReply(R"([{"PKGINFO_PKGID": "7"}])"));
  EXPECT_FALSE(CreatePacket(R"({"JSON_TYPE": 2, "PKGIDLIST": [1, -2]})"));
  EXPECT_FALSE(CreatePacket(R"({"JSON_TYPE": 2, "PKGIDLIST": 3})"));
  EXPECT_FALSE(CreatePacket(R"({"JSON_TYPE": 4, "DiskLetter": "A"})"));

  auto ids = CreatePacket(R"({"JSON_TYPE": 2, "PKGIDLIST": [5, 1, 5, 0, 4294967295]})");
  ASSERT_TRUE(As<Json::CJsonQuerayPkgListInfo>(ids));
  EXPECT_EQ(As<Json::CJsonQuerayPkgListInfo>(ids)->pkgIds, (std::vector<std::uint32_t>{5, 1, 5, 0, 4294967295u}));
}

TEST(CreatePacket, OnlyJsonObjectsArePackets) {
  for (const char* text : {"", " ", "not json", "{", R"({"JSON_TYPE": 1,})", "[1, 2]", "5", "null", "\"text\"",
                           "true", R"([{"JSON_TYPE": 1}])"}) {
    EXPECT_FALSE(CreatePacket(text)) << text;
  }
  auto commented = CreatePacket("// the service's reply\n{\"JSON_TYPE\": 1 /* version */}");
  ASSERT_TRUE(commented);
  EXPECT_EQ(commented->type, 1u);
}

TEST(PacketHead, FromJsonRefusesAnotherKindOfPacket) {
  Json::CJsonQuerayBcInfoAck ack;
  ack.productVersion = "8.1.0";
  Json::Value other;
  other["JSON_TYPE"] = 0x80000002u;
  other["ProductVersion"] = "9.0.0";
  EXPECT_FALSE(ack.FromJson(other));
  EXPECT_EQ(ack.type, 0x80000001u);
  EXPECT_EQ(ack.productVersion, "8.1.0");
}
