#include "assoc/core/package_list_packets.h"

#include "assoc/core/json_read.h"

using vorlan::assoc::ReadArray;
using vorlan::assoc::ReadFlag;
using vorlan::assoc::ReadObject;
using vorlan::assoc::ReadText;
using vorlan::assoc::ReadUnsigned;

namespace Json {

bool CJsonQuerayPkgListInfo::FromJson(const Value& root) {
  if (!CJsonPacketHead::FromJson(root)) return false;
  const Value& list = ReadArray(root["PKGIDLIST"]);
  std::vector<std::uint32_t> ids;
  ids.reserve(list.size());
  for (ArrayIndex i = 0; i < list.size(); ++i) ids.push_back(ReadUnsigned(list[i]));
  pkgIds = std::move(ids);
  return true;
}

bool CJsonQuerayPkgListInfo::ToJson(Value& root) const {
  CJsonPacketHead::ToJson(root);
  Value list(arrayValue);
  for (std::uint32_t id : pkgIds) list.append(Value(static_cast<UInt>(id)));
  root["PKGIDLIST"] = std::move(list);
  return true;
}

bool CJsonQuerayPkgListInfoAck::FromJson(const Value& root) {
  if (!CJsonPacketHead::FromJson(root)) return false;
  const Value& list = ReadArray(root["PKGINFO_LIST"]);
  std::map<std::uint32_t, CJsonPkgInfoEntry> entries;
  for (ArrayIndex i = 0; i < list.size(); ++i) {
    const Value& item = ReadObject(list[i]);
    CJsonPkgInfoEntry entry;
    entry.pkgId = ReadUnsigned(item["PKGINFO_PKGID"]);
    entry.pkgPath = ReadText(item["PKGINFO_PKGPATH"]);
    entry.inVirtualDisk = ReadFlag(item["PKGINFO_BVDISK"]);
    entry.ready = ReadFlag(item["PKGINFO_BALREADY"]);
    if (entry.pkgId == 0) continue;
    entries[entry.pkgId] = std::move(entry);
  }
  pkgInfo = std::move(entries);
  return true;
}

bool CJsonQuerayPkgListInfoAck::ToJson(Value& root) const {
  CJsonPacketHead::ToJson(root);
  Value list(arrayValue);
  for (const auto& [id, entry] : pkgInfo) {
    Value item(objectValue);
    item["PKGINFO_PKGID"] = Value(static_cast<UInt>(id));
    item["PKGINFO_PKGPATH"] = Value(entry.pkgPath);
    item["PKGINFO_BVDISK"] = Value(entry.inVirtualDisk);
    item["PKGINFO_BALREADY"] = Value(entry.ready);
    list.append(std::move(item));
  }
  root["PKGINFO_LIST"] = std::move(list);
  return true;
}

}  // namespace Json
