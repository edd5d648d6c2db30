#include "steps/assoc/core/assoc_package_list.h"

#include "assoc/core/assoc_rules.h"

namespace vorlan {

PackageEntry AssocPackageList::Add(int index, std::wstring_view text) {
  const std::optional<std::uint32_t> id = assoc::ParsePackageId(text);
  if (!id) return {};
  for (std::size_t i = 0; i < ids_.size(); ++i)
    if (ids_[i] == *id) return {PackageEntryVerdict::Repeated, *id, indexes_[i]};
  ids_.push_back(*id);
  indexes_.push_back(index);
  return {PackageEntryVerdict::Kept, *id, -1};
}

}  // namespace vorlan
