#pragma once
// Connecting the café's virtual game disks.

#include <string>
#include <vector>

#include "assoc/core/packet_head.h"

namespace Json {

// Code 4. "DiskLetter": one-letter strings, in the order held.
class CJsonConnectVDisk : public CJsonPacketHead {
 public:
  CJsonConnectVDisk() : CJsonPacketHead(kPktConnectVDisk) {}
  bool FromJson(const Value& root) override;
  bool ToJson(Value& root) const override;

  std::vector<std::string> diskLetters;
};

// Code 0x80000004: the head only.
class CJsonConnectVDiskAck : public CJsonPacketHead {
 public:
  CJsonConnectVDiskAck() : CJsonPacketHead(kPktConnectVDiskAck) {}
};

}  // namespace Json

namespace vorlan::assoc {

// The letters the service is asked to connect: "A" up to "Y" (25; "Z" is
// left alone).
std::vector<std::string> VirtualDiskLetters();

}  // namespace vorlan::assoc
