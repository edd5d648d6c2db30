// libFuzzer target: any bytes as a reply text. A packet that comes out must
// write itself back and be read again as the same kind of packet.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "assoc/core/packet_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<Json::CJsonPacketHead> packet = Json::CreatePacket(text);
  if (!packet) return 0;

  std::string written = Json::PacketText(*packet);
  if (written.empty()) std::abort();
  std::unique_ptr<Json::CJsonPacketHead> again = Json::CreatePacket(written);
  if (!again || again->type != packet->type || again->result != packet->result) std::abort();
  if (Json::PacketText(*again) != written) std::abort();
  return 0;
}
