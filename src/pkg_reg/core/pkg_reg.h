#pragma once
// The contents of a registry script file: a count, the entries, and the
// CRC-32 of every byte before it.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "pkg_reg/core/pkg_reg_entry.h"
#include "pkg_reg/core/pkt_stream_data.h"

enum class PkgRegLoadStatus {
  Loaded,
  TooShort,          // fewer than 4 bytes: no room for a checksum
  TooLarge,          // more bytes than a stream can address
  ChecksumMismatch,  // the last 4 bytes are not the CRC-32 of the others
  BadBody,           // the count and entries do not fit the bytes
};

class CPkgReg {
 public:
  CPkgReg() = default;
  explicit CPkgReg(std::vector<CPkgRegEntry> entries) : entries_(std::move(entries)) {}
  virtual ~CPkgReg() = default;
  CPkgReg(const CPkgReg&) = default;
  CPkgReg& operator=(const CPkgReg&) = default;

  // 4 (count) + the sizes of all entries + 4 (checksum).
  virtual std::uint64_t Size() const;
  virtual int Write(CPktStreamData& stream) const;
  virtual int Read(CReadPktStreamData& stream);

  // Checks and reads the whole bytes of a file: the last 4 bytes must be the
  // CRC-32 of the others, then the object is read from all of them.
  PkgRegLoadStatus LoadFromBuffer(std::span<std::uint8_t> bytes);

  // The bytes of a file holding these entries, with the checksum computed
  // (and kept in the object). Nothing when the entries are too large for a
  // file.
  std::optional<std::vector<std::uint8_t>> ToFileBytes();

  const std::vector<CPkgRegEntry>& Entries() const { return entries_; }
  std::uint32_t Checksum() const { return checksum_; }

 private:
  std::vector<CPkgRegEntry> entries_;
  std::uint32_t checksum_ = 0;
};
