#include "assoc/win/system_files.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "assoc/core/assoc_rules.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/os_info.h"
#include "platform/win/scoped_resource.h"
#include "platform/win/wow64_redirection.h"

namespace assoc {
namespace {

using vorlan::assoc::CopyAction;
using vorlan::assoc::SystemFolder;

// Enough of a file for its DOS header and, in every ordinary image, its PE header.
constexpr DWORD kHeadBytes = 4096;

std::uint64_t Ticks(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::wstring FolderPath(UINT(WINAPI* query)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = query(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

// The names of the plain files directly in `folder`, in name order.
std::vector<std::wstring> FileNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  OS::ScopedFindHandle find(::FindFirstFileW(vorlan::PathJoin(folder, L"*").c_str(), &found));
  if (!find) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
  } while (::FindNextFileW(find.Get(), &found));
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return ::_wcsicmp(a.c_str(), b.c_str()) < 0; });
  return names;
}

bool ReadHead(const std::wstring& path, std::string& head, DWORD& error) {
  OS::ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = ::GetLastError();
    return false;
  }
  head.assign(kHeadBytes, '\0');
  DWORD got = 0;
  if (!::ReadFile(file.Get(), head.data(), kHeadBytes, &got, nullptr)) {
    error = ::GetLastError();
    return false;
  }
  head.resize(got);
  return true;
}

// Copies or replaces `dst` by `src` through a temporary file beside `dst`.
// Returns 0 or the system error code.
DWORD PlaceFile(const std::wstring& src, const std::wstring& dst, CopyAction action) {
  const std::wstring temporary = dst + L".vorlan-new";
  if (!::CopyFileW(src.c_str(), temporary.c_str(), FALSE)) return ::GetLastError();
  // A read-only file on the package's disk must not make a read-only system file.
  ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
  const DWORD flags = action == CopyAction::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
  if (::MoveFileExW(temporary.c_str(), dst.c_str(), flags)) return 0;
  const DWORD error = ::GetLastError();
  ::DeleteFileW(temporary.c_str());
  return error;
}

}  // namespace

SystemFolders SystemFolders::OfThisPc() {
  SystemFolders folders;
  folders.native = FolderPath(&::GetSystemDirectoryW);
  folders.is64BitOs = OS::Is64BitOs();
  if (folders.is64BitOs) folders.wow32 = FolderPath(&::GetSystemWow64DirectoryW);
  return folders;
}

SystemFileTally CopySystemFiles(const std::wstring& sourceFolder, const SystemFolders& folders) {
  CLogMgr& log = CLogMgr::GetInstance();
  SystemFileTally tally;
  for (const std::wstring& name : FileNames(sourceFolder)) {
    ++tally.total;
    const std::wstring src = vorlan::PathJoin(sourceFolder, name);
    std::string head;
    DWORD error = 0;
    if (!ReadHead(src, head, error)) {
      log.Log(32, L"AssocOption: CVorlanDlg::AssocThreadProc. Read %s Failed, %d", src, error);
      ++tally.failed;
      continue;
    }
    const SystemFolder where = vorlan::assoc::TargetFolder(vorlan::assoc::ImageBitness(head), folders.is64BitOs);
    const std::wstring& folder = where == SystemFolder::Native ? folders.native : folders.wow32;
    if (where == SystemFolder::None || folder.empty()) {
      log.Log(32, L"AssocOption: CVorlanDlg::AssocThreadProc. Copy %s Failed, no system folder for it on this Windows",
              src);
      ++tally.failed;
      continue;
    }
    const std::wstring dst = vorlan::PathJoin(folder, name);

    // A 32-bit program reaches the native System32 of 64-bit Windows only so.
    std::optional<OS::ScopedRedirectionOff> redirection;
    if (where == SystemFolder::Native && folders.is64BitOs) redirection.emplace();

    WIN32_FILE_ATTRIBUTE_DATA source{}, target{};
    if (!::GetFileAttributesExW(src.c_str(), GetFileExInfoStandard, &source)) {
      error = ::GetLastError();
    } else {
      std::optional<std::uint64_t> targetTime;
      if (::GetFileAttributesExW(dst.c_str(), GetFileExInfoStandard, &target))
        targetTime = Ticks(target.ftLastWriteTime);
      const CopyAction action = vorlan::assoc::DecideCopy(targetTime, Ticks(source.ftLastWriteTime));
      if (action == CopyAction::Keep) {
        log.Log(4, L"AssocOption: CVorlanDlg::AssocThreadProc. Keep %s, not older than %s", dst, src);
        ++tally.kept;
        continue;
      }
      if ((target.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = ERROR_ALREADY_EXISTS;
      } else if ((target.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        error = ERROR_ACCESS_DENIED;  // someone protected it on purpose
      } else {
        error = PlaceFile(src, dst, action);
      }
    }
    if (error == 0) {
      log.Log(4, L"AssocOption: CVorlanDlg::AssocThreadProc. Copy %s --> %s Success", src, dst);
      ++tally.copied;
    } else {
      log.Log(32, L"AssocOption: CVorlanDlg::AssocThreadProc. Copy %s --> %s Failed, %d", src, dst, error);
      ++tally.failed;
    }
  }
  return tally;
}

}  // namespace assoc
