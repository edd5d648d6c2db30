#include "pkg_reg/win/pkg_reg_file.h"

#include <climits>
#include <memory>
#include <new>
#include <optional>

#include "platform/core/log_mgr.h"
#include "platform/win/file.h"

bool CPkgRegFile::Load(const std::wstring& path) {
  OS::CFile file;
  if (!file.OpenForRead(path)) return false;
  const std::optional<std::uint64_t> length = file.Length();
  if (!length || *length == 0) return false;

  // A stream addresses at most INT_MAX bytes; a longer file cannot be held
  // and is refused like one whose buffer cannot be had.
  std::unique_ptr<std::uint8_t[]> buffer;
  if (*length <= static_cast<std::uint64_t>(INT_MAX))
    buffer.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(*length)]);
  if (!buffer) {
    CLogMgr::GetInstance().Log(0x20, L"CMemAllocMgr Alloc Arr Memory Failed, Size=%d,File=%s,Line=%d,Fun=%s", *length,
                               L"PkgRegInfo", 114, L"CPkgRegFile::Load");
    return false;
  }
  const std::size_t n = static_cast<std::size_t>(*length);
  if (!file.ReadExact(buffer.get(), n)) return false;
  return LoadFromBuffer(std::span<std::uint8_t>(buffer.get(), n)) == PkgRegLoadStatus::Loaded;
}
