#pragma once
// Step "Assoc": the list of packages [Assoc0].. of VorlanAssoc.ini names,
// entry by entry in index order. The step logs each verdict and hands the
// kept ids to its worker; the checker warns of a repeated id through the
// same list.

#include <cstdint>
#include <string_view>
#include <vector>

namespace vorlan {

enum class PackageEntryVerdict {
  Kept,      // a package id not named before: prepared
  NotAnId,   // no package id: left out
  Repeated,  // an id an earlier entry named: left out
};

struct PackageEntry {
  PackageEntryVerdict verdict = PackageEntryVerdict::NotAnId;
  std::uint32_t id = 0;  // Kept, Repeated
  int firstIndex = -1;   // Repeated: the entry that named the id first
};

class AssocPackageList {
 public:
  // The entry `index` with "PkgId" `text`; entries come in index order.
  PackageEntry Add(int index, std::wstring_view text);
  const std::vector<std::uint32_t>& Ids() const { return ids_; }

 private:
  std::vector<std::uint32_t> ids_;
  std::vector<int> indexes_;
};

}  // namespace vorlan
