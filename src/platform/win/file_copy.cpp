#include "platform/win/file_copy.h"

#include <windows.h>

#include <vector>

#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/scoped_resource.h"

namespace OS {
namespace {

// Deeper trees are not followed: a folder that links back to one of its
// parents would otherwise be copied into itself without end.
constexpr int kMaxTreeDepth = 256;

std::wstring WithoutTrailingBackslashes(const std::wstring& path) {
  std::size_t end = path.find_last_not_of(L'\\');
  return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

bool IsDriveOnly(const std::wstring& path) { return path.size() == 2 && path[1] == L':'; }

bool CopyTree(const std::wstring& dst, const std::wstring& src, int depth) {
  CLogMgr& log = CLogMgr::GetInstance();
  if (depth > kMaxTreeDepth) {
    log.Log(32, L"OS::CopyFolderTree. Folder nested too deep, not copied: %s", src);
    return false;
  }
  bool complete = true;
  if (!IsDirectory(dst) && !CreateDirectories(dst)) {
    log.Log(32, L"OS::CopyFolderTree. Cannot create %s, ErrorCode %u", dst, ::GetLastError());
    complete = false;  // the copies below fail and say which files
  }

  WIN32_FIND_DATAW entry = {};
  ScopedFindHandle find(::FindFirstFileW(vorlan::PathJoin(src, L"*.*").c_str(), &entry));
  if (!find) {
    const DWORD error = ::GetLastError();
    // A folder without even "." and ".." (a drive root) is empty, not missing.
    if (error == ERROR_FILE_NOT_FOUND && IsDirectory(src)) return complete;
    log.Log(32, L"OS::CopyFolderTree. Cannot list %s, ErrorCode %u", src, error);
    return false;
  }
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring from = vorlan::PathJoin(src, name);
    const std::wstring to = vorlan::PathJoin(dst, name);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!CopyTree(to, from, depth + 1)) complete = false;
    } else if (!::CopyFileW(from.c_str(), to.c_str(), FALSE)) {
      log.Log(32, L"OS::CopyFolderTree. Copy %s --> %s Failed, ErrorCode %u", from, to, ::GetLastError());
      complete = false;
    }
  } while (::FindNextFileW(find.Get(), &entry));
  return complete;
}

}  // namespace

bool PathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectories(const std::wstring& path) {
  const std::wstring target = WithoutTrailingBackslashes(path);
  if (target.empty()) return false;
  if (IsDirectory(target)) return true;
  // Walk up to the deepest folder that exists, then create downwards.
  std::vector<std::wstring> missing;
  std::wstring current = target;
  while (!IsDirectory(current)) {
    missing.push_back(current);
    std::wstring parent = WithoutTrailingBackslashes(vorlan::DirectoryOf(current));
    if (parent.empty() || parent.size() >= current.size() || IsDriveOnly(parent)) break;
    current = parent;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!::CreateDirectoryW(it->c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return IsDirectory(target);
}

bool CopySingleFile(const std::wstring& src, const std::wstring& dst, bool failIfExists) {
  if (::CopyFileW(src.c_str(), dst.c_str(), failIfExists ? TRUE : FALSE)) return true;
  if (failIfExists) return false;
  const DWORD attributes = ::GetFileAttributesW(dst.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  DWORD kept = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
  ::SetFileAttributesW(dst.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
  return ::CopyFileW(src.c_str(), dst.c_str(), FALSE) != FALSE;
}

bool CopyFolderTree(const std::wstring& dst, const std::wstring& src) { return CopyTree(dst, src, 0); }

}  // namespace OS
