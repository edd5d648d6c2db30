#pragma once
// Which files a copy can leave out: those the destination already holds.
//
// The same "Copy" entries run again on every first start of the day, almost
// always onto a destination that holds the very files from the day before.
// Under Wine a file costs far more in calls than in bytes, so a file that is
// already there is judged from what the folder listings say of both sides,
// without opening either: the destination is a file, not a folder, of the
// same size with the same last-write time (both compared exactly, as the
// listing gives them). Anything else is copied. As with the usual mirroring
// tools, a file changed in place with its size and time kept is taken for
// the same. Attributes do not count: a read-only destination that is the
// same stays as it is, one that differs is copied like any other.

#include <cstdint>

namespace vorlan {

// The attribute bit of a folder, as a listing gives it.
inline constexpr std::uint32_t kFolderAttribute = 0x10;

// What a folder listing tells of one file or folder.
struct ListedFile {
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;       // bytes
  std::uint64_t lastWrite = 0;  // 100-ns units since 1601 (UTC)
};

// A 64-bit size or time from the two 32-bit halves the system hands out.
constexpr std::uint64_t JoinHalves(std::uint32_t high, std::uint32_t low) {
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Whether `destination` already holds `source`. A null destination: nothing
// of that name is there.
bool IsAlreadyThere(const ListedFile& source, const ListedFile* destination);

// What one copy did with its files: copied, or left as already there.
struct CopyCounts {
  std::uint32_t copied = 0;
  std::uint32_t alreadyThere = 0;
  bool operator==(const CopyCounts&) const = default;
};

}  // namespace vorlan
