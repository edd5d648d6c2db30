#include "components/core/install_plan.h"

#include "platform/core/path_join.h"
#include "platform/core/wformat.h"

namespace vorlan {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A folder below the current directory, such as dx or vc\2008.
bool IsPlainRelativeFolder(std::wstring_view folder) {
  if (folder.empty() || IsSeparator(folder.front()) || folder.find(L':') != std::wstring_view::npos) return false;
  std::size_t begin = 0;
  while (begin <= folder.size()) {
    std::size_t end = begin;
    while (end < folder.size() && !IsSeparator(folder[end])) ++end;
    const std::wstring_view part = folder.substr(begin, end - begin);
    if (part == L"." || part == L"..") return false;
    begin = end + 1;
  }
  return true;
}

}  // namespace

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
    if (!IsPlainRelativeFolder(s.local)) {
      plan.skip = InstallPlan::Skip::UnsafePackageFolder;
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
