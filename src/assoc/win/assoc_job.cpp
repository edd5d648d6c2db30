#include "assoc/win/assoc_job.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>

#include "pkg_reg/win/apply_pkg_reg_file.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/file_copy.h"
#include "platform/win/scoped_resource.h"

namespace assoc {
namespace {

// How often the service is asked again while waiting for packages.
constexpr DWORD kPollMs = 500;

// What the service said of the packages asked for.
struct Lookup {
  std::map<std::uint32_t, std::wstring> reachable;  // id -> folder that exists
  std::map<std::uint32_t, std::wstring> pending;    // id -> folder named but not there (yet)
};

void Ask(PackageService& service, const std::vector<std::uint32_t>& ids, Lookup& lookup) {
  std::vector<PackageInfo> records;
  service.QueryPackageInfo(ids, records);
  for (const PackageInfo& record : records) {
    if (std::find(ids.begin(), ids.end(), record.PkgId) == ids.end()) continue;  // not asked for
    if (!record.Path.empty() && OS::IsDirectory(record.Path)) {
      lookup.reachable[record.PkgId] = record.Path;
      lookup.pending.erase(record.PkgId);
    } else if (!lookup.reachable.count(record.PkgId)) {
      lookup.pending[record.PkgId] = record.Path;
    }
  }
}

std::vector<std::uint32_t> Missing(const std::vector<std::uint32_t>& ids, const Lookup& lookup) {
  std::vector<std::uint32_t> missing;
  for (std::uint32_t id : ids)
    if (!lookup.reachable.count(id)) missing.push_back(id);
  return missing;
}

// "*.nfd" and "*.psd" in `folder`, in name order.
std::vector<std::wstring> RegistryScriptFiles(const std::wstring& folder) {
  std::vector<std::wstring> names;
  for (const wchar_t* pattern : {L"*.nfd", L"*.psd"}) {
    WIN32_FIND_DATAW found;
    OS::ScopedFindHandle find(::FindFirstFileW(vorlan::PathJoin(folder, pattern).c_str(), &found));
    if (!find) continue;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(find.Get(), &found));
  }
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return ::_wcsicmp(a.c_str(), b.c_str()) < 0; });
  for (std::wstring& name : names) name = vorlan::PathJoin(folder, name);
  return names;
}

void Report(StepContext& context, bool ok, const std::wstring& text) {
  CLogMgr::GetInstance().Log(ok ? 4 : 32, L"AssocOption: CVorlanDlg::AssocThreadProc. %s", text);
  context.PrintInfo(text);
}

// Applies the registry script files and copies the system files of one
// package; true when nothing failed.
bool PreparePackage(std::uint32_t id, const std::wstring& folder, const SystemFolders& folders,
                    StepContext& context) {
  const std::wstring systemFiles = vorlan::PathJoin(folder, L"System32File");
  const std::vector<std::wstring> scripts = RegistryScriptFiles(vorlan::PathJoin(systemFiles, L"RegInfo"));
  int scriptsFailed = 0;
  for (const std::wstring& script : scripts)
    if (!ApplyPkgRegFile(script, folder)) ++scriptsFailed;

  const SystemFileTally files = CopySystemFiles(systemFiles, folders);
  const int scriptCount = static_cast<int>(scripts.size());
  if (scriptsFailed == 0 && files.failed == 0) {
    Report(context, true,
           vorlan::fmt::Format(L"Package %u %s Success, %d registry files, %d system files copied, %d kept", id, folder,
                               scriptCount, files.copied, files.kept));
    return true;
  }
  Report(context, false,
         vorlan::fmt::Format(L"Package %u %s Failed, %d of %d registry files and %d of %d system files failed", id,
                             folder, scriptsFailed, scriptCount, files.failed, files.total));
  return false;
}

}  // namespace

int RunAssocJob(const AssocJob& job, PackageService& service, StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  Lookup lookup;
  Ask(service, job.ids, lookup);
  std::vector<std::uint32_t> missing = Missing(job.ids, lookup);
  if (!missing.empty()) {
    log.Log(4, L"AssocOption: CVorlanDlg::AssocThreadProc. ConnectVirtualDisks, %d packages not reachable",
            static_cast<int>(missing.size()));
    service.ConnectVirtualDisks();
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(job.waitSeconds) * 1000;
    for (;;) {
      Ask(service, missing, lookup);
      missing = Missing(job.ids, lookup);
      const ULONGLONG now = ::GetTickCount64();
      if (missing.empty() || now >= deadline) break;
      ::Sleep(static_cast<DWORD>(std::min<ULONGLONG>(kPollMs, deadline - now)));
    }
  }

  int failed = 0;
  for (std::uint32_t id : job.ids) {
    auto found = lookup.reachable.find(id);
    if (found != lookup.reachable.end()) {
      if (!PreparePackage(id, found->second, job.folders, context)) ++failed;
      continue;
    }
    ++failed;
    auto named = lookup.pending.find(id);
    if (named == lookup.pending.end() || named->second.empty()) {
      Report(context, false, vorlan::fmt::Format(L"Package %u Failed, unknown to the client service", id));
    } else {
      Report(context, false, vorlan::fmt::Format(L"Package %u Failed, %s did not appear within %d s", id,
                                                 named->second, job.waitSeconds));
    }
  }
  log.Log(4, L"AssocOption: CVorlanDlg::AssocThreadProc. End, %d packages, %d failed",
          static_cast<int>(job.ids.size()), failed);
  return failed;
}

}  // namespace assoc
