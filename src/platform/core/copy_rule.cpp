#include "platform/core/copy_rule.h"

namespace vorlan {

bool IsAlreadyThere(const ListedFile& source, const ListedFile* destination) {
  if (destination == nullptr) return false;
  if (destination->attributes & kFolderAttribute) return false;
  return destination->size == source.size && destination->lastWrite == source.lastWrite;
}

}  // namespace vorlan
