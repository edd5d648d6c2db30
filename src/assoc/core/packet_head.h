#pragma once
// The head that every client-service packet carries, and the packet codes.
//
// The café's client service talks in JSON objects. Each one names its kind in
// "JSON_TYPE" and a status in "JSON_RESULT" (0 in every request we build).
// A reply's code is its request's code with the top bit set. The packet
// classes live in namespace Json beside the JSON library's own names; ours all
// start with CJson or kPkt, so the two never meet.

#include <json/value.h>

#include <cstdint>

namespace Json {

inline constexpr std::uint32_t kPktSample = 0;            // never sent
inline constexpr std::uint32_t kPktQueryBcInfo = 1;       // client version
inline constexpr std::uint32_t kPktQueryPkgListInfo = 2;  // package paths and states
inline constexpr std::uint32_t kPktQueryAuthParam = 3;    // never sent
inline constexpr std::uint32_t kPktConnectVDisk = 4;      // connect the virtual disks
inline constexpr std::uint32_t kPktAckFlag = 0x80000000u;
inline constexpr std::uint32_t kPktQueryBcInfoAck = kPktAckFlag | kPktQueryBcInfo;
inline constexpr std::uint32_t kPktQueryPkgListInfoAck = kPktAckFlag | kPktQueryPkgListInfo;
inline constexpr std::uint32_t kPktQueryAuthParamAck = kPktAckFlag | kPktQueryAuthParam;
inline constexpr std::uint32_t kPktConnectVDiskAck = kPktAckFlag | kPktConnectVDisk;

class CJsonPacketHead {
 public:
  explicit CJsonPacketHead(std::uint32_t code) : type(code) {}
  virtual ~CJsonPacketHead() = default;

  CJsonPacketHead(const CJsonPacketHead&) = default;
  CJsonPacketHead& operator=(const CJsonPacketHead&) = default;

  // Reads "JSON_TYPE" and "JSON_RESULT", then the class's own keys. False
  // when the object holds another kind of packet than this one. A value of
  // the wrong JSON type throws the JSON library's exception (CreatePacket
  // turns that into "no packet").
  virtual bool FromJson(const Value& root);

  // Writes "JSON_TYPE" and "JSON_RESULT", then the class's own keys.
  virtual bool ToJson(Value& root) const;

  std::uint32_t type;
  std::uint32_t result = 0;
};

}  // namespace Json
