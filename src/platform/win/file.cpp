#include "platform/win/file.h"

#include <new>

namespace OS {

bool CFile::OpenForRead(const std::wstring& path) {
  handle_.Reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return handle_.IsValid();
}

std::optional<std::uint64_t> CFile::Length() const {
  LARGE_INTEGER size{};
  if (!handle_.IsValid() || !::GetFileSizeEx(handle_.Get(), &size) || size.QuadPart < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

bool CFile::ReadExact(void* buffer, std::size_t size) {
  if (!handle_.IsValid()) return false;
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (size > 0) {
    const DWORD chunk = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
    DWORD read = 0;
    if (!::ReadFile(handle_.Get(), out, chunk, &read, nullptr) || read == 0) return false;
    out += read;
    size -= read;
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> CFile::ReadAll(const std::wstring& path) {
  CFile file;
  if (!file.OpenForRead(path)) return std::nullopt;
  const std::optional<std::uint64_t> length = file.Length();
  if (!length || *length > SIZE_MAX) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(*length));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (!file.ReadExact(bytes.data(), bytes.size())) return std::nullopt;
  return bytes;
}

}  // namespace OS
