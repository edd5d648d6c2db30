#include "components/win/component.h"

#include <windows.h>

#include <mutex>

#include "step_context/win/step_context.h"
#include "components/core/catalogue_layout.h"
#include "components/core/install_mark.h"
#include "components/core/install_passes.h"
#include "components/core/install_plan.h"
#include "components/win/component_probes.h"
#include "components/win/help_page.h"
#include "platform/core/log_mgr.h"
#include "platform/win/os_info.h"
#include "platform/win/process_start.h"

using vorlan::kCatalogueValueChars;

namespace {

// The catalogue is one per process and the step may run on several threads
// at once: one installation at a time.
std::mutex& InstallationLock() {
  static std::mutex lock;
  return lock;
}

class SetupPasses final : public vorlan::InstallPassActions {
 public:
  SetupPasses(CComponent& component, CConfig& config, StepContext* context)
      : component_(component), config_(config), context_(context) {}

  int CheckMissing() override { return config_.CheckComponentInfo(); }
  void Install(int pass) override { component_.Install(pass); }
  void PassDone(int /*pass*/, int missing) override {
    CLogMgr::GetInstance().Log(4, L"ComponentOption: CComponent::Setup. nCheck=%d", missing);
  }
  void AllPresent() override {
    if (context_) context_->WriteTimeToReg();
  }

 private:
  CComponent& component_;
  CConfig& config_;
  StepContext* context_;
};

vorlan::InstallerSettings ReadInstallerSettings(const OS::IniFile& catalogue, const std::wstring& section) {
  vorlan::InstallerSettings s;
  s.local = catalogue.ReadString(section, L"local", kCatalogueValueChars);
  s.exe = catalogue.ReadString(section, L"exe", kCatalogueValueChars);
  s.parameter = catalogue.ReadString(section, L"parameter", kCatalogueValueChars);
  s.msi = catalogue.ReadInt(section, L"msi", 0);
  s.regRemove = catalogue.ReadString(section, L"regremove", kCatalogueValueChars);
  return s;
}

}  // namespace

CComponent::CComponent(StepContext* context, CConfig& config) : context_(context), config_(config) {}

int CComponent::Setup() {
  std::lock_guard<std::mutex> lock(InstallationLock());
  // Every run of the step reads the catalogue afresh, so that a second run
  // in the same process does not list every component twice.
  config_.ClearComponents();
  config_.GetComponentInfoFromIniFile(OS::Is64BitOs());
  if (config_.Components().empty()) return 0;

  SetupPasses passes(*this, config_, context_);
  if (vorlan::RunInstallPasses(passes) == 0) return 1;
  components::OpenHelpPage(config_.Catalogue().ReadString(L"Public", L"Language", kCatalogueValueChars));
  return 1;
}

void CComponent::Install(int pass) {
  CLogMgr& log = CLogMgr::GetInstance();
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, buffer);
  if (length == 0 || length >= MAX_PATH) {
    const DWORD error = length == 0 ? ::GetLastError() : static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER);
    log.Log(32, L"ComponentOption: CComponent::InstllComponent. GetCurrentDirectory Failed. nErrorde: %u", error);
    return;
  }
  const std::wstring currentDirectory(buffer, length);
  const bool windows7 = OS::IsWindows7();
  const OS::IniFile& catalogue = config_.Catalogue();

  for (vorlan::ComponentRecord& record : config_.Components()) {
    if (!record.notInstalled) continue;
    const std::wstring win7Exe =
        windows7 ? catalogue.ReadString(vorlan::Win7SectionName(record.name), L"exe", kCatalogueValueChars) : L"";
    const std::wstring section = vorlan::InstallSectionName(record.name, windows7, win7Exe);
    const vorlan::InstallerSettings settings = ReadInstallerSettings(catalogue, section);
    record.regRemove = settings.regRemove;

    const vorlan::InstallPlan plan = vorlan::PlanInstall(pass, currentDirectory, settings);
    if (plan.skip == vorlan::InstallPlan::Skip::NoInstaller) {
      log.Log(32, L"ComponentOption: CComponent::InstllComponent. [%s] names no installer (\"exe\" is empty); %s stays missing",
              section, record.name);
      continue;
    }
    if (plan.skip == vorlan::InstallPlan::Skip::NoPackageFolder) {
      log.Log(32, L"ComponentOption: CComponent::InstllComponent. [%s] names no package folder (\"local\" is empty); nothing to copy to D for %s",
              section, record.name);
      continue;
    }
    if (plan.skip == vorlan::InstallPlan::Skip::UnsafePackageFolder) {
      log.Log(32, L"ComponentOption: CComponent::InstllComponent. [%s] \"local\" %s is not a folder below the current directory; nothing copied to D for %s",
              section, settings.local, record.name);
      continue;
    }

    if (plan.copyToDriveD) {
      OS::ProcessStart copy;
      copy.commandLine = plan.copy.commandLine;
      copy.workingDirectory = plan.copy.workingDirectory;
      copy.showWindow = SW_HIDE;
      copy.creationFlags = CREATE_NO_WINDOW;  // a console program: no console window either
      copy.wait = true;
      const OS::ProcessResult copied = OS::StartProcess(copy);
      log.Log(4, L"ComponentOption: CComponent::InstllComponent. First Install component failed. Copy flie to D and try again. %d",
              copied.started ? 1 : 0);
    }
    if (plan.removeKeyBefore) components::DeleteClassesRootKey(settings.regRemove);

    OS::ProcessStart installer;
    installer.commandLine = plan.installer.commandLine;
    installer.workingDirectory = plan.installer.workingDirectory;
    installer.showWindow = SW_SHOWNORMAL;
    installer.priorityClass = NORMAL_PRIORITY_CLASS;
    installer.wait = true;
    installer.onStarted = [&] {
      log.Log(4, L"ComponentOption: CComponent::InstllComponent. strComLine: %s, %d", plan.installer.commandLine, 1);
    };
    const OS::ProcessResult installed = OS::StartProcess(installer);
    if (installed.started) {
      record.installMark = vorlan::MarkAfterInstallerStarted(record.installMark);
    } else {
      log.Log(4, L"ComponentOption: CComponent::InstllComponent. strComLine: %s, %d", plan.installer.commandLine, 0);
    }
    if (plan.removeKeyAfter) components::DeleteClassesRootKey(settings.regRemove);
  }
}
