#pragma once
// The block shared with the game menu ("NimbraSharedMem"). The game menu
// creates it; the launcher only opens it. Layout (all fields unsigned 32-bit,
// little-endian, described in docs/nimbra-shared-memory.md):
//
//   header  magic 'NBSM' (0x4D53424E), version 1, capacity, count, 4 reserved
//   entries capacity x { game id, run now, run-now button, reserved }
//
// "run now": the menu asks the launcher to start the game at once.
// "run-now button": the launcher tells the menu that preparation is complete,
// which activates the menu's run-now button for that game.

#include <cstddef>
#include <cstdint>

namespace vorlan {

struct NimbraHeader {
  std::uint32_t magic;
  std::uint32_t version;
  std::uint32_t capacity;
  std::uint32_t count;
  std::uint32_t reserved[4];
};

struct NimbraEntry {
  std::uint32_t gameId;
  std::uint32_t runNow;
  std::uint32_t runNowButton;
  std::uint32_t reserved;
};

static_assert(sizeof(NimbraHeader) == 32 && sizeof(NimbraEntry) == 16, "layout is fixed");

inline constexpr std::uint32_t kNimbraMagic = 0x4D53424E;
inline constexpr std::uint32_t kNimbraVersion = 1;
inline constexpr std::uint32_t kNimbraCapacity = 1024;
inline constexpr std::size_t kNimbraSize = sizeof(NimbraHeader) + kNimbraCapacity * sizeof(NimbraEntry);

// A view of the block's bytes. Every access checks the header against the
// view's size, so a foreign or damaged block is never read out of bounds.
class NimbraBlock {
 public:
  NimbraBlock(void* data, std::size_t size) : data_(static_cast<unsigned char*>(data)), size_(size) {}

  // Writes an empty header (the menu's side).
  bool Initialize();
  bool IsValid() const;

  NimbraEntry* Find(std::uint32_t gameId);
  // The entry of the game; a new one when absent and there is room.
  NimbraEntry* FindOrAdd(std::uint32_t gameId);

 private:
  NimbraHeader* Header() const;
  NimbraEntry* Entries() const;
  std::uint32_t UsableCount() const;

  unsigned char* data_;
  std::size_t size_;
};

}  // namespace vorlan
