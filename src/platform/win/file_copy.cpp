#include "platform/win/file_copy.h"

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/core/log_mgr.h"
#include "platform/core/ordered_jobs.h"
#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/scoped_resource.h"
#include "platform/win/wow64_redirection.h"

namespace OS {
namespace {

// Deeper trees are not followed: a folder that links back to one of its
// parents would otherwise be copied into itself without end.
constexpr int kMaxTreeDepth = 256;

// Under Wine a file costs far more in calls than in bytes, so a tree's files
// are copied a few at a time: by the walking thread and up to three helpers,
// a batch of this many files at a time.
constexpr std::size_t kCopyHelpers = 3;
constexpr std::size_t kFilesPerBatch = 256;

bool IsDriveOnly(const std::wstring& path) { return path.size() == 2 && path[1] == L':'; }

// The full path of `path`, in capitals, for comparing with another; empty
// when it has none.
std::wstring ComparablePath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return std::wstring();
  full.resize(length);
  ::CharUpperBuffW(full.data(), length);
  return full;
}

// One line of the walk, in walk order: a file to copy (on the walking thread
// or a helper), or a failure the walk itself found. Reported on the walking
// thread.
class TreeEntry {
 public:
  static TreeEntry File(std::wstring from, std::wstring to, bool* complete) {
    TreeEntry entry(complete);
    entry.from_ = std::move(from);
    entry.to_ = std::move(to);
    return entry;
  }
  static TreeEntry Failure(std::wstring line, bool* complete) {
    TreeEntry entry(complete);
    entry.line_ = std::move(line);
    return entry;
  }

  void Run() {
    if (!::CopyFileW(from_.c_str(), to_.c_str(), FALSE)) error_ = ::GetLastError();
  }

  void Report() {
    if (!line_.empty()) {
      CLogMgr::GetInstance().LogText(32, line_.c_str());
      *complete_ = false;
    } else if (error_ != ERROR_SUCCESS) {
      CLogMgr::GetInstance().Log(32, L"OS::CopyFolderTree. Copy %s --> %s Failed, ErrorCode %u", from_, to_, error_);
      *complete_ = false;
    }
  }

 private:
  explicit TreeEntry(bool* complete) : complete_(complete) {}
  std::wstring from_, to_, line_;
  DWORD error_ = ERROR_SUCCESS;
  bool* complete_;
};

using TreeJobs = vorlan::OrderedJobs<TreeEntry>;

// Creates `dst` when needed and lists `src`, adding its files and the
// failures found on the way to `jobs`, in the order of a one-by-one walk.
void WalkTree(TreeJobs& jobs, bool* complete, const std::wstring& dst, const std::wstring& src, int depth,
              bool dstIsNew) {
  if (depth > kMaxTreeDepth) {
    jobs.Add(TreeEntry::Failure(vorlan::fmt::Format(L"OS::CopyFolderTree. Folder nested too deep, not copied: %s", src),
                                complete),
             false);
    return;
  }
  // A sub-folder of a folder made just now cannot exist yet: make it at once.
  const bool made = dstIsNew && ::CreateDirectoryW(dst.c_str(), nullptr);
  if (!made && !IsDirectory(dst) && !CreateDirectories(dst)) {
    // The copies below fail and say which files.
    jobs.Add(TreeEntry::Failure(vorlan::fmt::Format(L"OS::CopyFolderTree. Cannot create %s, ErrorCode %u", dst,
                                                    ::GetLastError()),
                                complete),
             false);
  }

  // What every entry's path begins with: PathJoin(folder, name) without
  // joining anew for each name.
  const std::wstring srcPrefix = src.empty() ? src : vorlan::PathJoin(src, L"");
  const std::wstring dstPrefix = dst.empty() ? dst : vorlan::PathJoin(dst, L"");
  WIN32_FIND_DATAW entry = {};
  ScopedFindHandle find(::FindFirstFileW((srcPrefix + L"*.*").c_str(), &entry));
  if (!find) {
    const DWORD error = ::GetLastError();
    // A folder without even "." and ".." (a drive root) is empty, not missing.
    if (error == ERROR_FILE_NOT_FOUND && IsDirectory(src)) return;
    jobs.Add(TreeEntry::Failure(vorlan::fmt::Format(L"OS::CopyFolderTree. Cannot list %s, ErrorCode %u", src, error),
                                complete),
             false);
    return;
  }
  do {
    const wchar_t* name = entry.cFileName;
    if (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'))) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      WalkTree(jobs, complete, dstPrefix + name, srcPrefix + name, depth + 1, made);
    } else {
      jobs.Add(TreeEntry::File(srcPrefix + name, dstPrefix + name, complete));
    }
  } while (::FindNextFileW(find.Get(), &entry));
}

}  // namespace

bool PathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectories(const std::wstring& path) {
  const std::wstring target = vorlan::WithoutTrailingBackslashes(path);
  if (target.empty()) return false;
  if (IsDirectory(target)) return true;
  // Walk up to the deepest folder that exists, then create downwards.
  std::vector<std::wstring> missing;
  std::wstring current = target;
  while (!IsDirectory(current)) {
    missing.push_back(current);
    std::wstring parent = vorlan::WithoutTrailingBackslashes(vorlan::DirectoryOf(current));
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

bool CopyFolderTree(const std::wstring& dst, const std::wstring& src) {
  // A destination inside the source would be walked as part of the source:
  // every level copied into the next until the paths grow too long.
  const std::wstring fullSource = ComparablePath(src);
  if (!fullSource.empty() && vorlan::IsSameOrBelow(ComparablePath(dst), fullSource)) {
    CLogMgr::GetInstance().Log(32, L"OS::CopyFolderTree. %s lies inside %s: a folder is not copied into itself", dst, src);
    return false;
  }
  bool complete = true;
  // Helpers see the file system as the caller does: with redirection
  // switched off when the caller has it off.
  TreeJobs::HelperScope scope;
  if (ScopedRedirectionOff::IsOffOnThisThread()) {
    scope = [](const std::function<void()>& work) {
      ScopedRedirectionOff off;
      work();
    };
  }
  TreeJobs jobs(kCopyHelpers, kFilesPerBatch, scope);
  WalkTree(jobs, &complete, dst, src, 0, false);
  jobs.Finish();
  return complete;
}

}  // namespace OS
