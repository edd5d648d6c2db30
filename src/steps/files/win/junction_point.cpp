#include "steps/files/win/junction_point.h"

#include <windows.h>
#include <winioctl.h>

#include <vector>

#include "platform/core/path_join.h"
#include "platform/win/file_copy.h"
#include "platform/win/scoped_resource.h"
#include "steps/files/core/junction_plan.h"
#include "steps/files/core/reparse_buffer.h"

namespace {

OS::ScopedHandle OpenLink(const std::wstring& path) {
  return OS::ScopedHandle(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

bool VolumeSupportsReparsePoints(const std::wstring& link) {
  const std::wstring root = vorlan::VolumeRootFor(link);
  DWORD flags = 0;
  if (!::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
  return (flags & vorlan::kSupportsReparsePoints) != 0;
}

JunctionOutcome Fail(const std::wstring& link) {
  const DWORD error = ::GetLastError();
  if (!link.empty() && OS::IsDirectory(link) && !IsReparsePoint(link) && IsEmptyFolder(link))
    ::RemoveDirectoryW(link.c_str());
  ::SetLastError(error);
  return JunctionOutcome::Failed;
}

bool SetMountPoint(const std::wstring& link, const std::wstring& target) {
  wchar_t full[MAX_PATH] = {};
  const DWORD n = ::GetFullPathNameW(target.c_str(), MAX_PATH, full, nullptr);
  if (n == 0 || n >= MAX_PATH) {
    if (n >= MAX_PATH) ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  const vorlan::ReparseRequest request = vorlan::BuildMountPointRequest(vorlan::SubstituteNameFor(full));
  if (request.bytes.empty()) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  OS::ScopedHandle handle = OpenLink(link);
  if (!handle) return false;
  std::vector<std::uint8_t> bytes = request.bytes;
  DWORD returned = 0;
  return ::DeviceIoControl(handle.Get(), vorlan::kSetReparsePointCode, bytes.data(), request.inputLength, nullptr, 0,
                           &returned, nullptr) != FALSE;
}

}  // namespace

bool IsEmptyFolder(const std::wstring& path) {
  WIN32_FIND_DATAW entry = {};
  OS::ScopedFindHandle find(::FindFirstFileW(vorlan::PathJoin(path, L"*.*").c_str(), &entry));
  if (!find) return false;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") return false;
  } while (::FindNextFileW(find.Get(), &entry));
  return true;
}

std::optional<std::wstring> JunctionTarget(const std::wstring& path) {
  if (!IsReparsePoint(path)) return std::nullopt;
  OS::ScopedHandle handle(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!handle) return std::nullopt;
  std::vector<std::uint8_t> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD returned = 0;
  if (!::DeviceIoControl(handle.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                         static_cast<DWORD>(buffer.size()), &returned, nullptr))
    return std::nullopt;
  return vorlan::MountPointSubstituteName(buffer.data(), returned);
}

bool IsReparsePoint(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & vorlan::kReparsePointAttribute);
}

bool CanEnumerate(const std::wstring& path) {
  WIN32_FIND_DATAW entry = {};
  OS::ScopedFindHandle find(::FindFirstFileW(vorlan::PathJoin(path, L"*.*").c_str(), &entry));
  return find.IsValid();
}

bool IsWorkingJunction(const std::wstring& path) { return IsReparsePoint(path) && CanEnumerate(path); }

JunctionOutcome CreateJunction(const std::wstring& link, const std::wstring& target, int mode) {
  if (link.empty()) return JunctionOutcome::Failed;
  if (target.empty()) return Fail(link);
  if (!VolumeSupportsReparsePoints(link)) return Fail(link);

  if (OS::PathExists(link) && CanEnumerate(link) && vorlan::KeepsExistingLink(IsReparsePoint(link), mode))
    return JunctionOutcome::Kept;
  if (!OS::PathExists(link) && !OS::CreateDirectories(link)) return Fail(link);
  if (!SetMountPoint(link, target)) return Fail(link);
  return JunctionOutcome::Created;
}

bool RemoveJunction(const std::wstring& path) {
  OS::ScopedHandle handle = OpenLink(path);
  if (!handle) return false;
  if (!IsReparsePoint(path)) return false;
  vorlan::ReparseRequest request = vorlan::BuildDeleteMountPointRequest();
  DWORD returned = 0;
  return ::DeviceIoControl(handle.Get(), vorlan::kDeleteReparsePointCode, request.bytes.data(), request.inputLength,
                           nullptr, 0, &returned, nullptr) != FALSE;
}
