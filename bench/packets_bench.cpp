// Parse of a client-service reply holding 10,000 package records, against a
// bare JsonCpp parse of the same text (the floor: what any reader of this
// reply must pay). Run by bench/packets.sh on an optimised, unsanitised build.

#include <json/reader.h>
#include <json/value.h>
#include <json/writer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "assoc/core/package_info.h"
#include "assoc/core/package_list_packets.h"
#include "assoc/core/packet_text.h"

namespace {

constexpr int kRecords = 10000;
constexpr int kRounds = 31;

std::string MakeReply() {
  Json::CJsonQuerayPkgListInfoAck reply;
  for (std::uint32_t id = 1; id <= kRecords; ++id) {
    char path[64];
    std::snprintf(path, sizeof(path), "D:\\Games\\Pkg\\Game%05u\\", id);
    reply.pkgInfo[id] = {id, path, id % 3 == 0, id % 2 == 0};
  }
  return Json::PacketText(reply);
}

template <class F>
double MedianMs(F&& run) {
  std::vector<double> times;
  for (int i = 0; i < kRounds; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const std::string text = MakeReply();
  std::size_t sink = 0;

  double floor = MedianMs([&] {
    Json::Value root;
    Json::Reader reader;
    if (reader.parse(text, root, true)) sink += root["PKGINFO_LIST"].size();
  });
  double packet = MedianMs([&] {
    auto p = Json::CreatePacket(text);
    if (auto* ack = dynamic_cast<Json::CJsonQuerayPkgListInfoAck*>(p.get())) sink += ack->pkgInfo.size();
  });
  double records = MedianMs([&] {
    auto p = Json::CreatePacket(text);
    std::vector<PackageInfo> out;
    if (auto* ack = dynamic_cast<Json::CJsonQuerayPkgListInfoAck*>(p.get())) {
      vorlan::assoc::AppendServiceRecords(
          *ack, [](std::string_view s) { return std::wstring(s.begin(), s.end()); }, out);
    }
    sink += out.size();
  });

  if (sink != static_cast<std::size_t>(kRecords) * 3 * kRounds) {
    std::fprintf(stderr, "packets_bench: the reply did not parse as expected\n");
    return 1;
  }
  std::printf("reply: %d package records, %zu bytes; median of %d rounds\n", kRecords, text.size(), kRounds);
  std::printf("bare JsonCpp parse (floor)        %8.2f ms\n", floor);
  std::printf("CreatePacket                      %8.2f ms   %.2f x floor\n", packet, packet / floor);
  std::printf("CreatePacket + PackageInfo list   %8.2f ms   %.2f x floor\n", records, records / floor);
  return 0;
}
