// Packets to request texts and back: the exact form of what is sent, and a
// round trip through every class.

#include "assoc/core/packet_text.h"

#include <gtest/gtest.h>
#include <json/reader.h>

#include "assoc/core/client_info_packets.h"
#include "assoc/core/package_list_packets.h"
#include "assoc/core/sample_packet.h"
#include "assoc/core/virtual_disk_packets.h"

namespace {

template <class T>
std::unique_ptr<T> RoundTrip(const T& packet) {
  std::string text = Json::PacketText(packet);
  std::unique_ptr<Json::CJsonPacketHead> back = Json::CreatePacket(text);
  EXPECT_TRUE(back) << text;
  auto* typed = dynamic_cast<T*>(back.get());
  EXPECT_TRUE(typed) << text;
  if (!typed) return nullptr;
  back.release();
  return std::unique_ptr<T>(typed);
}

}  // namespace

TEST(PacketText, RequestsAreWrittenInStyledForm) {
  EXPECT_EQ(Json::PacketText(Json::CJsonSamplePkt<Json::kPktQueryBcInfo>()),
            "{\n   \"JSON_RESULT\" : 0,\n   \"JSON_TYPE\" : 1\n}\n");

  Json::CJsonQuerayPkgListInfo none;
  EXPECT_EQ(Json::PacketText(none), "{\n   \"JSON_RESULT\" : 0,\n   \"JSON_TYPE\" : 2,\n   \"PKGIDLIST\" : []\n}\n");

  Json::CJsonQuerayPkgListInfo ids;
  ids.pkgIds = {9, 3, 9};
  EXPECT_EQ(Json::PacketText(ids),
            "{\n   \"JSON_RESULT\" : 0,\n   \"JSON_TYPE\" : 2,\n   \"PKGIDLIST\" : [ 9, 3, 9 ]\n}\n");
}

TEST(PacketText, DiskRequestNamesTheLettersAToY) {
  std::vector<std::string> letters = vorlan::assoc::VirtualDiskLetters();
  ASSERT_EQ(letters.size(), 25u);
  EXPECT_EQ(letters.front(), "A");
  EXPECT_EQ(letters[2], "C");
  EXPECT_EQ(letters.back(), "Y");

  Json::CJsonConnectVDisk request;
  request.diskLetters = letters;
  Json::Value root;
  ASSERT_TRUE(Json::Reader().parse(Json::PacketText(request), root));
  EXPECT_EQ(root["JSON_TYPE"].asUInt(), 4u);
  EXPECT_EQ(root["JSON_RESULT"].asUInt(), 0u);
  ASSERT_TRUE(root["DiskLetter"].isArray());
  ASSERT_EQ(root["DiskLetter"].size(), 25u);
  for (Json::ArrayIndex i = 0; i < 25; ++i) {
    EXPECT_EQ(root["DiskLetter"][i].asString(), std::string(1, static_cast<char>('A' + i)));
  }
}

TEST(PacketText, EveryClassSurvivesARoundTrip) {
  for (std::uint32_t code : {0u, 1u, 3u}) {
    auto packet = Json::NewPacket(code);
    ASSERT_TRUE(packet);
    packet->result = 77;
    auto back = Json::CreatePacket(Json::PacketText(*packet));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->type, code);
    EXPECT_EQ(back->result, 77u);
  }

  Json::CJsonQuerayPkgListInfo ids;
  ids.pkgIds = {4294967295u, 0, 12, 12};
  auto idsBack = RoundTrip(ids);
  ASSERT_TRUE(idsBack);
  EXPECT_EQ(idsBack->pkgIds, ids.pkgIds);

  Json::CJsonConnectVDisk disks;
  disks.diskLetters = {"Q", "", "AB"};
  auto disksBack = RoundTrip(disks);
  ASSERT_TRUE(disksBack);
  EXPECT_EQ(disksBack->diskLetters, disks.diskLetters);

  Json::CJsonQuerayBcInfoAck info;
  info.result = 1;
  info.productVersion = "8.1.0.417";
  info.bcPath = "C:\\Program Files\\Bar\\\"quoted\"";
  auto infoBack = RoundTrip(info);
  ASSERT_TRUE(infoBack);
  EXPECT_EQ(infoBack->productVersion, info.productVersion);
  EXPECT_EQ(infoBack->bcPath, info.bcPath);
  EXPECT_EQ(infoBack->result, 1u);

  Json::CJsonQuerayPkgListInfoAck list;
  list.pkgInfo[30] = {30, "E:\\Games\\Thirty\\", true, false};
  list.pkgInfo[2] = {2, "D:\\Games\\Two", false, true};
  list.pkgInfo[4294967295u] = {4294967295u, "", true, true};
  auto listBack = RoundTrip(list);
  ASSERT_TRUE(listBack);
  EXPECT_EQ(listBack->pkgInfo, list.pkgInfo);
  // Written in ascending id order.
  std::string text = Json::PacketText(list);
  EXPECT_LT(text.find("D:\\\\Games\\\\Two"), text.find("E:\\\\Games\\\\Thirty"));

  Json::CJsonQuerayAuthParamAck auth;
  auth.authParam = "token=abc&x=1";
  auto authBack = RoundTrip(auth);
  ASSERT_TRUE(authBack);
  EXPECT_EQ(authBack->authParam, auth.authParam);

  Json::CJsonConnectVDiskAck connected;
  auto connectedBack = RoundTrip(connected);
  ASSERT_TRUE(connectedBack);
  EXPECT_EQ(connectedBack->type, 0x80000004u);
}
