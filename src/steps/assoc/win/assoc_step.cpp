#include "steps/assoc/win/assoc_step.h"

#include <algorithm>
#include <exception>
#include <string>

#include "assoc/core/assoc_rules.h"
#include "steps/assoc/core/assoc_package_list.h"
#include "assoc/win/assoc_job.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/com_init.h"
#include "steps/pipeline/win/numbered_entries.h"

namespace vorlan::steps {
namespace {

constexpr int kDefaultWaitSeconds = 60;
constexpr int kMaxWaitSeconds = 600;

// The distinct valid package ids of [Assoc0].. in order; each bad or repeated
// one is logged and left out.
std::vector<std::uint32_t> ReadPackageIds(const OS::IniFile& file) {
  CLogMgr& log = CLogMgr::GetInstance();
  int count = EntryCount(file, L"Assoc");
  if (count > kMaxAssocPackages) {
    log.Log(32, L"AssocOption: CVorlanDlg::ProcessAssoc. Num %d Failed, only the first %d entries are read", count,
            kMaxAssocPackages);
    count = kMaxAssocPackages;
  }
  AssocPackageList list;
  ForEachEntry(file, L"Assoc", count, [&](int i, const std::wstring& section) {
    const std::wstring text = file.ReadString(section, L"PkgId");
    const PackageEntry entry = list.Add(i, text);
    if (entry.verdict == PackageEntryVerdict::NotAnId)
      log.Log(32, L"AssocOption: CVorlanDlg::ProcessAssoc. Assoc%d PkgId \"%s\" Failed, not a package id", i, text);
    else if (entry.verdict == PackageEntryVerdict::Repeated)
      log.Log(32, L"AssocOption: CVorlanDlg::ProcessAssoc. Assoc%d PkgId %u Failed, repeated", i, entry.id);
  });
  return list.Ids();
}

}  // namespace

bool RunAssocStep(StepContext& context, ::assoc::PackageService& service, ::assoc::AssocWorker& worker,
                  const ::assoc::SystemFolders& folders) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile file(PathJoin(context.ExecutableDirectory(), L"VorlanAssoc.ini"));
  ::assoc::AssocJob job;
  job.ids = ReadPackageIds(file);
  if (job.ids.empty()) {
    log.Log(4, L"AssocOption: CVorlanDlg::ProcessAssoc. No associated package");
    return false;
  }
  job.waitSeconds = std::clamp(file.ReadInt(L"Assoc", L"WaitSeconds", kDefaultWaitSeconds), 0, kMaxWaitSeconds);
  job.folders = folders;

  const int packages = static_cast<int>(job.ids.size());
  DWORD error = 0;
  const ::assoc::AssocWorker::Start start = worker.StartOnce(
      [job = std::move(job), &service, &context] {
        // The client service is used from the multithreaded apartment.
        OS::ScopedComInit com(COINIT_MULTITHREADED);
        try {
          ::assoc::RunAssocJob(job, service, context);
        } catch (const std::exception&) {
          CLogMgr::GetInstance().Log(32, L"AssocOption: CVorlanDlg::AssocThreadProc. Failed, out of memory");
        }
      },
      error);
  switch (start) {
    case ::assoc::AssocWorker::Start::Started:
      log.Log(4, L"AssocOption: CVorlanDlg::ProcessAssoc. Worker started, %d packages", packages);
      return true;
    case ::assoc::AssocWorker::Start::AlreadyRunning:
      log.Log(4, L"AssocOption: CVorlanDlg::ProcessAssoc. Worker already started, waiting for it");
      return true;
    case ::assoc::AssocWorker::Start::AlreadyRan:
      log.Log(4, L"AssocOption: CVorlanDlg::ProcessAssoc. Worker already ran, not started again");
      return false;
    case ::assoc::AssocWorker::Start::Failed:
      break;
  }
  log.Log(32, L"AssocOption: CVorlanDlg::ProcessAssoc. Worker start Failed, %d", error);
  return false;
}

}  // namespace vorlan::steps
