#pragma once
// Packets that carry only the head: the client-version request (code 1) and
// the two requests this program never sends (codes 0 and 3).

#include "assoc/core/packet_head.h"

namespace Json {

template <std::uint32_t N>
class CJsonSamplePkt : public CJsonPacketHead {
 public:
  CJsonSamplePkt() : CJsonPacketHead(N) {}
};

}  // namespace Json
