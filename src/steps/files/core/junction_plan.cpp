#include "steps/files/core/junction_plan.h"

namespace vorlan {

JunctionVariant ChooseJunctionVariant(std::optional<unsigned long> clientType, bool driveCProtected,
                                      bool driveEProtected) {
  if ((clientType && *clientType == 2) || (driveCProtected && driveEProtected)) return JunctionVariant::Junction;
  return JunctionVariant::JunctionOption;
}

std::wstring_view VariantLogText(JunctionVariant variant) {
  return variant == JunctionVariant::Junction
             ? L"JunctionOption: CVorlanDlg::ProcessJunctionFileMgr. 无盘普通用户或有盘还原用户，采用[Junction]"
             : L"JunctionOption: CVorlanDlg::ProcessJunctionFileMgr. 无盘超管用户或有盘非还原用户，采用[JunctionOption]";
}

std::wstring PackageCommandLine(std::wstring_view runName, std::wstring_view runParam, int msi) {
  std::wstring commandLine;
  if (msi == 1) {
    commandLine = L"MSIEXEC.EXE /i \"";
    commandLine += runName;
    commandLine += L"\"";
  } else if (msi == 0) {
    commandLine = runName;
  }
  if (!commandLine.empty() && !runParam.empty()) {
    commandLine += L' ';
    commandLine += runParam;
  }
  return commandLine;
}

bool KeepsExistingLink(bool isJunction, int mode) { return isJunction ? mode != 1 : mode != 3; }

}  // namespace vorlan
