#include "pkg_reg/win/apply_pkg_reg_file.h"

#include "pkg_reg/core/pkg_reg_apply.h"
#include "pkg_reg/win/pkg_reg_file.h"
#include "pkg_reg/win/registry_target.h"
#include "platform/core/log_mgr.h"

bool ApplyPkgRegFile(const std::wstring& path, const std::wstring& installDir, unsigned long viewFlag) {
  CLogMgr& log = CLogMgr::GetInstance();
  CPkgRegFile file;
  if (!file.Load(path)) {
    log.Log(32, L"PkgRegOption: ApplyPkgRegFile. Load %s Failed, nothing applied", path);
    return false;
  }
  CRegistryTarget registry(viewFlag);
  const vorlan::pkgreg::PkgRegApplyReport report = vorlan::pkgreg::ApplyPkgReg(file, installDir, registry);
  if (!report.applied) {
    log.Log(32, L"PkgRegOption: ApplyPkgRegFile. %s: entry %d name \"%s\" cannot be split, nothing applied", path,
            report.faultIndex, report.faultName);
    return false;
  }
  log.Log(4, L"PkgRegOption: ApplyPkgRegFile. %s Success, %d written, %d skipped", path, report.written,
          report.skipped);
  return true;
}
