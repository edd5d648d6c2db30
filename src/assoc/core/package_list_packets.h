#pragma once
// Package information: the request names package ids, the reply gives each
// package's path and state.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "assoc/core/packet_head.h"

namespace Json {

// Code 2. "PKGIDLIST": the ids in the order given, duplicates included.
class CJsonQuerayPkgListInfo : public CJsonPacketHead {
 public:
  CJsonQuerayPkgListInfo() : CJsonPacketHead(kPktQueryPkgListInfo) {}
  bool FromJson(const Value& root) override;
  bool ToJson(Value& root) const override;

  std::vector<std::uint32_t> pkgIds;
};

// One element of "PKGINFO_LIST".
struct CJsonPkgInfoEntry {
  std::uint32_t pkgId = 0;   // "PKGINFO_PKGID"
  std::string pkgPath;       // "PKGINFO_PKGPATH", ANSI text
  bool inVirtualDisk = false;  // "PKGINFO_BVDISK"
  bool ready = false;        // "PKGINFO_BALREADY"

  bool operator==(const CJsonPkgInfoEntry&) const = default;
};

// Code 0x80000002. Held by id: elements with id 0 are passed over, and of
// several elements with one id the last one counts. Written in ascending id
// order.
class CJsonQuerayPkgListInfoAck : public CJsonPacketHead {
 public:
  CJsonQuerayPkgListInfoAck() : CJsonPacketHead(kPktQueryPkgListInfoAck) {}
  bool FromJson(const Value& root) override;
  bool ToJson(Value& root) const override;

  std::map<std::uint32_t, CJsonPkgInfoEntry> pkgInfo;
};

}  // namespace Json
