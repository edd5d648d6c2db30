#include "assoc/core/packet_head.h"

#include "assoc/core/json_read.h"

namespace Json {

bool CJsonPacketHead::FromJson(const Value& root) {
  std::uint32_t code = vorlan::assoc::ReadUnsigned(root["JSON_TYPE"]);
  std::uint32_t status = vorlan::assoc::ReadUnsigned(root["JSON_RESULT"]);
  if (code != type) return false;
  result = status;
  return true;
}

bool CJsonPacketHead::ToJson(Value& root) const {
  root["JSON_TYPE"] = Value(static_cast<UInt>(type));
  root["JSON_RESULT"] = Value(static_cast<UInt>(result));
  return true;
}

}  // namespace Json
