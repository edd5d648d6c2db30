#include "components/core/install_plan.h"

#include "platform/core/path_join.h"
#include "platform/core/wformat.h"

namespace vorlan {

InstallPlan PlanInstall(int pass, std::wstring_view currentDirectory, const InstallerSettings& s) {
  InstallPlan plan;
  if (s.exe.empty()) {
    plan.skip = InstallPlan::Skip::NoInstaller;
    return plan;
  }
  const bool removeKey = !s.regRemove.empty();
  if (pass == kPassFromDriveD) {
    if (s.local.empty()) {
      plan.skip = InstallPlan::Skip::NoPackageFolder;
      return plan;
    }
    plan.copyToDriveD = true;
    plan.copy.commandLine = fmt::Format(L"xcopy %s d:\\%s\\ /s/y", s.local, s.local);
    plan.copy.workingDirectory = std::wstring(currentDirectory);
    plan.installer.commandLine = s.msi != 0
                                     ? fmt::Format(L"MSIEXEC.EXE /i \"d:\\%s\\%s\" %s", s.local, s.exe, s.parameter)
                                     : fmt::Format(L"d:\\%s\\%s %s", s.local, s.exe, s.parameter);
    plan.installer.workingDirectory = PathJoin(L"d:", s.local);
    plan.removeKeyAfter = removeKey;
    return plan;
  }
  plan.installer.commandLine =
      s.msi != 0 ? fmt::Format(L"MSIEXEC.EXE /i \"%s\\%s\\%s\" %s", currentDirectory, s.local, s.exe, s.parameter)
                 : fmt::Format(L"\"%s\\%s\\%s\" %s", currentDirectory, s.local, s.exe, s.parameter);
  plan.installer.workingDirectory = PathJoin(currentDirectory, s.local);
  plan.removeKeyBefore = removeKey;
  plan.removeKeyAfter = removeKey;
  return plan;
}

}  // namespace vorlan
