#include "assoc/core/client_info_packets.h"

#include "assoc/core/json_read.h"

using vorlan::assoc::ReadText;

namespace Json {

bool CJsonQuerayBcInfoAck::FromJson(const Value& root) {
  if (!CJsonPacketHead::FromJson(root)) return false;
  std::string version = ReadText(root["ProductVersion"]);
  std::string path = ReadText(root["BcPath"]);
  productVersion = std::move(version);
  bcPath = std::move(path);
  return true;
}

bool CJsonQuerayBcInfoAck::ToJson(Value& root) const {
  CJsonPacketHead::ToJson(root);
  root["ProductVersion"] = Value(productVersion);
  root["BcPath"] = Value(bcPath);
  return true;
}

bool CJsonQuerayAuthParamAck::FromJson(const Value& root) {
  if (!CJsonPacketHead::FromJson(root)) return false;
  authParam = ReadText(root["AuthParam"]);
  return true;
}

bool CJsonQuerayAuthParamAck::ToJson(Value& root) const {
  CJsonPacketHead::ToJson(root);
  root["AuthParam"] = Value(authParam);
  return true;
}

}  // namespace Json
