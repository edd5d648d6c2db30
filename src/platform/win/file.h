#pragma once
// A file opened for reading. The handle is closed by the owner on every path.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/scoped_resource.h"

namespace OS {

class CFile {
 public:
  CFile() = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens an existing file for reading (others may read it meanwhile).
  bool OpenForRead(const std::wstring& path);
  bool IsOpen() const { return handle_.IsValid(); }
  void Close() { handle_.Close(); }

  // The file's length in bytes, or nothing when it cannot be learnt.
  std::optional<std::uint64_t> Length() const;
  // Reads exactly `size` bytes from the current position; false when fewer
  // could be read.
  bool ReadExact(void* buffer, std::size_t size);

  // The whole file, or nothing when it cannot be opened or read.
  static std::optional<std::vector<std::uint8_t>> ReadAll(const std::wstring& path);

 private:
  ScopedHandle handle_;
};

}  // namespace OS
