#include "app/core/nimbra_block.h"

#include <cstring>

namespace vorlan {

NimbraHeader* NimbraBlock::Header() const { return reinterpret_cast<NimbraHeader*>(data_); }

NimbraEntry* NimbraBlock::Entries() const { return reinterpret_cast<NimbraEntry*>(data_ + sizeof(NimbraHeader)); }

bool NimbraBlock::Initialize() {
  if (!data_ || size_ < sizeof(NimbraHeader)) return false;
  std::memset(data_, 0, size_);
  NimbraHeader* h = Header();
  h->magic = kNimbraMagic;
  h->version = kNimbraVersion;
  std::size_t fit = (size_ - sizeof(NimbraHeader)) / sizeof(NimbraEntry);
  h->capacity = static_cast<std::uint32_t>(fit > kNimbraCapacity ? kNimbraCapacity : fit);
  return true;
}

bool NimbraBlock::IsValid() const {
  if (!data_ || size_ < sizeof(NimbraHeader)) return false;
  const NimbraHeader* h = Header();
  if (h->magic != kNimbraMagic || h->version != kNimbraVersion) return false;
  return h->capacity <= (size_ - sizeof(NimbraHeader)) / sizeof(NimbraEntry);
}

std::uint32_t NimbraBlock::UsableCount() const {
  const NimbraHeader* h = Header();
  return h->count < h->capacity ? h->count : h->capacity;
}

NimbraEntry* NimbraBlock::Find(std::uint32_t gameId) {
  if (!IsValid()) return nullptr;
  NimbraEntry* entries = Entries();
  for (std::uint32_t i = 0; i < UsableCount(); ++i)
    if (entries[i].gameId == gameId) return &entries[i];
  return nullptr;
}

NimbraEntry* NimbraBlock::FindOrAdd(std::uint32_t gameId) {
  if (NimbraEntry* e = Find(gameId)) return e;
  if (!IsValid()) return nullptr;
  NimbraHeader* h = Header();
  if (h->count >= h->capacity) return nullptr;
  NimbraEntry* e = &Entries()[h->count];
  std::memset(e, 0, sizeof(*e));
  e->gameId = gameId;
  ++h->count;
  return e;
}

}  // namespace vorlan
