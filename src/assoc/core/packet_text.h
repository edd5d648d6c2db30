#pragma once
// Packets to and from the JSON texts exchanged with the client service.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "assoc/core/packet_head.h"

namespace Json {

// An empty packet of the class that carries `type`; null for an unknown code.
std::unique_ptr<CJsonPacketHead> NewPacket(std::uint32_t type);

// The packet a reply text holds, or null: when the text is not JSON (comments
// are allowed), is not an object, has an unknown "JSON_TYPE", or holds a value
// of the wrong JSON type for its class. Never throws.
std::unique_ptr<CJsonPacketHead> CreatePacket(std::string_view text) noexcept;

// The request text: the packet written into a null value, in the JSON
// library's styled form. Empty when building it failed.
std::string PacketText(const CJsonPacketHead& packet) noexcept;

}  // namespace Json
