#include "platform/win/file_copy.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/core/copy_rule.h"
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

// Starts a listing with one FindFirstFileExW: without the short names, in
// larger fetches, where the system knows both (Windows 7 and later); older
// systems refuse them and get the standard listing from then on.
HANDLE StartListing(const std::wstring& pattern, WIN32_FIND_DATAW* entry) {
  static std::atomic<bool> basicRefused{false};
  if (!basicRefused.load(std::memory_order_relaxed)) {
    HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, entry, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_INVALID_PARAMETER) return find;
    basicRefused.store(true, std::memory_order_relaxed);
  }
  return ::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, entry, FindExSearchNameMatch, nullptr, 0);
}

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

vorlan::ListedFile Listed(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& lastWrite) {
  return {attributes, vorlan::JoinHalves(sizeHigh, sizeLow),
          vorlan::JoinHalves(lastWrite.dwHighDateTime, lastWrite.dwLowDateTime)};
}

vorlan::ListedFile Listed(const WIN32_FIND_DATAW& entry) {
  return Listed(entry.dwFileAttributes, entry.nFileSizeHigh, entry.nFileSizeLow, entry.ftLastWriteTime);
}

// A name as Windows compares names: without regard to letter case.
std::wstring NameKey(const wchar_t* name) {
  std::wstring key(name);
  if (!key.empty()) ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
  return key;
}

// What a destination folder holds, from one listing, by name.
class DestinationListing {
 public:
  // Lists `prefix` (a folder path ending in a backslash). False when it
  // cannot be listed: then nothing is known to be there.
  bool Read(const std::wstring& prefix) {
    WIN32_FIND_DATAW entry = {};
    ScopedFindHandle find(StartListing(prefix + L"*.*", &entry));
    if (!find) return false;
    do {
      if (!IsDotOrDotDot(entry.cFileName)) entries_.emplace(NameKey(entry.cFileName), Listed(entry));
    } while (::FindNextFileW(find.Get(), &entry));
    return true;
  }

  // The entry of that name, or null.
  const vorlan::ListedFile* Find(const wchar_t* name) const {
    if (entries_.empty()) return nullptr;
    const auto it = entries_.find(NameKey(name));
    return it == entries_.end() ? nullptr : &it->second;
  }

 private:
  std::unordered_map<std::wstring, vorlan::ListedFile> entries_;
};

// What the walk found of the whole tree.
struct TreeTally {
  bool complete = true;
  vorlan::CopyCounts counts;
};

// One line of the walk, in walk order: a file to copy (on the walking thread
// or a helper), or a failure the walk itself found. Reported on the walking
// thread.
class TreeEntry {
 public:
  static TreeEntry File(std::wstring from, std::wstring to, TreeTally* tally) {
    TreeEntry entry(tally);
    entry.from_ = std::move(from);
    entry.to_ = std::move(to);
    return entry;
  }
  static TreeEntry Failure(std::wstring line, TreeTally* tally) {
    TreeEntry entry(tally);
    entry.line_ = std::move(line);
    return entry;
  }

  void Run() {
    if (!::CopyFileW(from_.c_str(), to_.c_str(), FALSE)) error_ = ::GetLastError();
  }

  void Report() {
    if (!line_.empty()) {
      CLogMgr::GetInstance().LogText(32, line_.c_str());
      tally_->complete = false;
    } else if (error_ != ERROR_SUCCESS) {
      CLogMgr::GetInstance().Log(32, L"OS::CopyFolderTree. Copy %s --> %s Failed, ErrorCode %u", from_, to_, error_);
      tally_->complete = false;
    } else {
      ++tally_->counts.copied;
    }
  }

 private:
  explicit TreeEntry(TreeTally* tally) : tally_(tally) {}
  std::wstring from_, to_, line_;
  DWORD error_ = ERROR_SUCCESS;
  TreeTally* tally_;
};

using TreeJobs = vorlan::OrderedJobs<TreeEntry>;

// What the walk knows of a destination folder before it looks.
enum class Destination {
  kUnknown,        // the top of the tree: asked
  kParentMadeNow,  // its parent was made by this copy: it cannot exist yet
  kListedFolder,   // its parent's listing shows a folder of that name
  kNotListed,      // its parent's listing shows no folder of that name
};

// Creates `dst` when needed and lists `src`, adding the files to copy and
// the failures found on the way to `jobs`, in the order of a one-by-one walk.
// A file the destination already holds (see copy_rule.h) is counted and
// left alone.
void WalkTree(TreeJobs& jobs, TreeTally* tally, const std::wstring& dst, const std::wstring& src, int depth,
              Destination known) {
  if (depth > kMaxTreeDepth) {
    jobs.Add(TreeEntry::Failure(vorlan::fmt::Format(L"OS::CopyFolderTree. Folder nested too deep, not copied: %s", src),
                                tally),
             false);
    return;
  }
  // A folder that is there is not made again; one that cannot be there yet
  // is made at once.
  bool present = known == Destination::kListedFolder;
  bool made = false;
  if (known == Destination::kParentMadeNow || known == Destination::kNotListed) {
    made = ::CreateDirectoryW(dst.c_str(), nullptr) != FALSE;
  }
  if (!present && !made) {
    if (IsDirectory(dst)) {
      present = true;
    } else if (CreateDirectories(dst)) {
      made = true;
    } else {
      // The copies below fail and say which files.
      jobs.Add(TreeEntry::Failure(vorlan::fmt::Format(L"OS::CopyFolderTree. Cannot create %s, ErrorCode %u", dst,
                                                      ::GetLastError()),
                                  tally),
               false);
    }
  }

  // What every entry's path begins with: PathJoin(folder, name) without
  // joining anew for each name.
  const std::wstring srcPrefix = src.empty() ? src : vorlan::PathJoin(src, L"");
  const std::wstring dstPrefix = dst.empty() ? dst : vorlan::PathJoin(dst, L"");
  WIN32_FIND_DATAW entry = {};
  ScopedFindHandle find(StartListing(srcPrefix + L"*.*", &entry));
  if (!find) {
    const DWORD error = ::GetLastError();
    // A folder without even "." and ".." (a drive root) is empty, not missing.
    if (error == ERROR_FILE_NOT_FOUND && IsDirectory(src)) return;
    jobs.Add(TreeEntry::Failure(vorlan::fmt::Format(L"OS::CopyFolderTree. Cannot list %s, ErrorCode %u", src, error),
                                tally),
             false);
    return;
  }
  // Only a folder that was there before can hold anything.
  DestinationListing there;
  const bool listed = present && there.Read(dstPrefix);
  do {
    const wchar_t* name = entry.cFileName;
    if (IsDotOrDotDot(name)) continue;
    const vorlan::ListedFile* existing = listed ? there.Find(name) : nullptr;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Destination next = Destination::kUnknown;
      if (made) {
        next = Destination::kParentMadeNow;
      } else if (listed) {
        next = existing && (existing->attributes & FILE_ATTRIBUTE_DIRECTORY) ? Destination::kListedFolder
                                                                              : Destination::kNotListed;
      }
      WalkTree(jobs, tally, dstPrefix + name, srcPrefix + name, depth + 1, next);
    } else if (vorlan::IsAlreadyThere(Listed(entry), existing)) {
      ++tally->counts.alreadyThere;
    } else {
      jobs.Add(TreeEntry::File(srcPrefix + name, dstPrefix + name, tally));
    }
  } while (::FindNextFileW(find.Get(), &entry));
}

// What the system says of one file without opening it; false when it says
// nothing (missing, or out of reach).
bool ReadListed(const std::wstring& path, vorlan::ListedFile* listed) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  *listed = Listed(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
  return true;
}

// Copies one file; see CopySingleFile.
bool ReplaceOrCopy(const std::wstring& src, const std::wstring& dst, bool failIfExists) {
  if (::CopyFileW(src.c_str(), dst.c_str(), failIfExists ? TRUE : FALSE)) return true;
  if (failIfExists) return false;
  const DWORD attributes = ::GetFileAttributesW(dst.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  DWORD kept = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
  ::SetFileAttributesW(dst.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
  return ::CopyFileW(src.c_str(), dst.c_str(), FALSE) != FALSE;
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

bool CopySingleFile(const std::wstring& src, const std::wstring& dst, bool failIfExists, vorlan::CopyCounts* counts) {
  vorlan::ListedFile source, destination;
  if (ReadListed(src, &source) && ReadListed(dst, &destination) && vorlan::IsAlreadyThere(source, &destination)) {
    if (counts) ++counts->alreadyThere;
    // Nothing to copy; a copy that must not replace still fails on a
    // destination that exists, whatever it holds.
    return !failIfExists;
  }
  const bool copied = ReplaceOrCopy(src, dst, failIfExists);
  if (copied && counts) ++counts->copied;
  return copied;
}

bool CopyFolderTree(const std::wstring& dst, const std::wstring& src, vorlan::CopyCounts* counts) {
  // A destination inside the source would be walked as part of the source:
  // every level copied into the next until the paths grow too long.
  const std::wstring fullSource = ComparablePath(src);
  if (!fullSource.empty() && vorlan::IsSameOrBelow(ComparablePath(dst), fullSource)) {
    CLogMgr::GetInstance().Log(32, L"OS::CopyFolderTree. %s lies inside %s: a folder is not copied into itself", dst, src);
    return false;
  }
  TreeTally tally;
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
  WalkTree(jobs, &tally, dst, src, 0, Destination::kUnknown);
  jobs.Finish();
  if (counts) *counts = tally.counts;
  return tally.complete;
}

}  // namespace OS
