#include "assoc/core/packet_text.h"

#include <json/reader.h>
#include <json/writer.h>

#include <exception>

#include "assoc/core/client_info_packets.h"
#include "assoc/core/json_read.h"
#include "assoc/core/package_list_packets.h"
#include "assoc/core/sample_packet.h"
#include "assoc/core/virtual_disk_packets.h"

namespace Json {

std::unique_ptr<CJsonPacketHead> NewPacket(std::uint32_t type) {
  switch (type) {
    case kPktSample:
      return std::make_unique<CJsonSamplePkt<kPktSample>>();
    case kPktQueryBcInfo:
      return std::make_unique<CJsonSamplePkt<kPktQueryBcInfo>>();
    case kPktQueryPkgListInfo:
      return std::make_unique<CJsonQuerayPkgListInfo>();
    case kPktQueryAuthParam:
      return std::make_unique<CJsonSamplePkt<kPktQueryAuthParam>>();
    case kPktConnectVDisk:
      return std::make_unique<CJsonConnectVDisk>();
    case kPktQueryBcInfoAck:
      return std::make_unique<CJsonQuerayBcInfoAck>();
    case kPktQueryPkgListInfoAck:
      return std::make_unique<CJsonQuerayPkgListInfoAck>();
    case kPktQueryAuthParamAck:
      return std::make_unique<CJsonQuerayAuthParamAck>();
    case kPktConnectVDiskAck:
      return std::make_unique<CJsonConnectVDiskAck>();
    default:
      return nullptr;
  }
}

std::unique_ptr<CJsonPacketHead> CreatePacket(std::string_view text) noexcept {
  try {
    const std::string document(text);
    Value root;
    Reader reader;
    if (!reader.parse(document, root, /*collectComments=*/true)) return nullptr;
    if (!root.isObject()) return nullptr;
    const Value& object = root;
    std::uint32_t type = vorlan::assoc::ReadUnsigned(object["JSON_TYPE"]);
    vorlan::assoc::ReadUnsigned(object["JSON_RESULT"]);
    std::unique_ptr<CJsonPacketHead> packet = NewPacket(type);
    if (!packet || !packet->FromJson(object)) return nullptr;
    return packet;
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::string PacketText(const CJsonPacketHead& packet) noexcept {
  try {
    Value root;
    packet.ToJson(root);
    StyledWriter writer;
    return writer.write(root);
  } catch (const std::exception&) {
    return std::string();
  }
}

}  // namespace Json
