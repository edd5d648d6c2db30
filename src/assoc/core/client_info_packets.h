#pragma once
// Replies about the client software itself.

#include <string>

#include "assoc/core/packet_head.h"

namespace Json {

// Code 0x80000001, the answer to the version request.
class CJsonQuerayBcInfoAck : public CJsonPacketHead {
 public:
  CJsonQuerayBcInfoAck() : CJsonPacketHead(kPktQueryBcInfoAck) {}
  bool FromJson(const Value& root) override;
  bool ToJson(Value& root) const override;

  std::string productVersion;  // "ProductVersion"
  std::string bcPath;          // "BcPath", not used by this program
};

// Code 0x80000003, the answer to a request this program never sends.
class CJsonQuerayAuthParamAck : public CJsonPacketHead {
 public:
  CJsonQuerayAuthParamAck() : CJsonPacketHead(kPktQueryAuthParamAck) {}
  bool FromJson(const Value& root) override;
  bool ToJson(Value& root) const override;

  std::string authParam;  // "AuthParam"
};

}  // namespace Json
