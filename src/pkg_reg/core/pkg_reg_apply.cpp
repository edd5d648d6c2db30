#include "pkg_reg/core/pkg_reg_apply.h"

#include <string_view>

namespace vorlan::pkgreg {

PkgRegApplyReport ApplyPkgReg(const CPkgReg& reg, const std::wstring& installDir, CPkgRegTarget& target) {
  PkgRegApplyReport report;
  const auto& entries = reg.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].NameSplits(target)) {
      const auto& name = entries[i].Name();
      report.faultIndex = i;
      report.faultName = target.FromAnsi(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
      return report;
    }
  }
  for (const CPkgRegEntry& entry : entries) {
    if (entry.Apply(installDir, target) == EntryApplyResult::Written)
      ++report.written;
    else
      ++report.skipped;
  }
  report.applied = true;
  return report;
}

}  // namespace vorlan::pkgreg
