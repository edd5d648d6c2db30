#include "pkg_reg/core/pkg_reg.h"

#include <climits>
#include <new>

#include "pkg_reg/core/crc32.h"

namespace {

constexpr std::uint64_t kCountSize = 4;
constexpr std::uint64_t kChecksumSize = 4;

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

}  // namespace

std::uint64_t CPkgReg::Size() const {
  std::uint64_t size = kCountSize + kChecksumSize;
  for (const CPkgRegEntry& entry : entries_) size = SaturatingAdd(size, entry.Size());
  return size;
}

int CPkgReg::Write(CPktStreamData& stream) const {
  if (entries_.size() > UINT32_MAX) return -1;
  if (stream.WriteUInt32(static_cast<std::uint32_t>(entries_.size())) != 0) return -1;
  for (const CPkgRegEntry& entry : entries_)
    if (entry.Write(stream) != 0) return -1;
  return stream.WriteUInt32(checksum_);
}

int CPkgReg::Read(CReadPktStreamData& stream) {
  std::uint32_t count = 0;
  if (stream.ReadUInt32(count) != 0) return -1;
  // Every entry takes at least its fixed bytes and the checksum follows
  // them: a count that cannot fit is refused before anything is allocated.
  const std::uint64_t needed = count * CPkgRegEntry::kFixedSize + kChecksumSize;
  if (needed > static_cast<std::uint64_t>(stream.Remaining())) return -1;

  // A large file can still hold a count of entries that memory cannot.
  entries_.clear();
  if (count > entries_.max_size()) return -1;
  try {
    entries_.resize(count);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  for (CPkgRegEntry& entry : entries_)
    if (entry.Read(stream) != 0) return -1;
  return stream.ReadUInt32(checksum_);
}

PkgRegLoadStatus CPkgReg::LoadFromBuffer(std::span<std::uint8_t> bytes) {
  const std::size_t n = bytes.size();
  if (n < kChecksumSize) return PkgRegLoadStatus::TooShort;
  if (n > static_cast<std::size_t>(INT_MAX)) return PkgRegLoadStatus::TooLarge;
  checksum_ = BigEndian32(bytes.data() + n - kChecksumSize);
  if (vorlan::pkgreg::Crc32(bytes.first(n - kChecksumSize)) != checksum_) return PkgRegLoadStatus::ChecksumMismatch;
  CReadPktStreamData stream(bytes.data(), static_cast<int>(n));
  return Read(stream) == 0 ? PkgRegLoadStatus::Loaded : PkgRegLoadStatus::BadBody;
}

std::optional<std::vector<std::uint8_t>> CPkgReg::ToFileBytes() {
  const std::uint64_t size = Size();
  if (size > static_cast<std::uint64_t>(INT_MAX)) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  CPktStreamData stream(bytes.data(), static_cast<int>(size));
  if (Write(stream) != 0 || stream.Remaining() != 0) return std::nullopt;
  checksum_ = vorlan::pkgreg::Crc32(std::span<const std::uint8_t>(bytes).first(bytes.size() - kChecksumSize));
  for (std::size_t i = 0; i < kChecksumSize; ++i)
    bytes[bytes.size() - kChecksumSize + i] = static_cast<std::uint8_t>(checksum_ >> (8 * (kChecksumSize - 1 - i)));
  return bytes;
}
