#include "assoc/core/virtual_disk_packets.h"

#include "assoc/core/json_read.h"

namespace Json {

bool CJsonConnectVDisk::FromJson(const Value& root) {
  if (!CJsonPacketHead::FromJson(root)) return false;
  const Value& list = vorlan::assoc::ReadArray(root["DiskLetter"]);
  std::vector<std::string> letters;
  letters.reserve(list.size());
  for (ArrayIndex i = 0; i < list.size(); ++i) letters.push_back(vorlan::assoc::ReadText(list[i]));
  diskLetters = std::move(letters);
  return true;
}

bool CJsonConnectVDisk::ToJson(Value& root) const {
  CJsonPacketHead::ToJson(root);
  Value list(arrayValue);
  for (const std::string& letter : diskLetters) list.append(Value(letter));
  root["DiskLetter"] = std::move(list);
  return true;
}

}  // namespace Json

namespace vorlan::assoc {

std::vector<std::string> VirtualDiskLetters() {
  std::vector<std::string> letters;
  for (char c = 'A'; c <= 'Y'; ++c) letters.emplace_back(1, c);
  return letters;
}

}  // namespace vorlan::assoc
