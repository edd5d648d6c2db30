#include "components/win/config.h"

#include <windows.h>

#include <optional>

#include "components/core/catalogue_layout.h"
#include "components/core/install_mark.h"
#include "components/win/component_probes.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/module_path.h"
#include "platform/win/os_info.h"
#include "platform/win/wow64_redirection.h"

using vorlan::ComponentRecord;
using vorlan::kCatalogueValueChars;

CConfig& CConfig::GetInstance() {
  static CConfig instance(vorlan::PathJoin(OS::GetProgramDirectory(), vorlan::kCatalogueFileName));
  return instance;
}

CConfig::CConfig(std::wstring cataloguePath) : catalogue_(std::move(cataloguePath)) {}

int CConfig::GetComponentInfoFromIniFile(bool is64) {
  CLogMgr& log = CLogMgr::GetInstance();
  const std::wstring language = catalogue_.ReadString(L"Public", L"Language", kCatalogueValueChars);
  if (language.empty()) return 0;
  is64_ = is64;
  name_ = catalogue_.ReadString(language, L"Name", kCatalogueValueChars);

  const std::wstring list = vorlan::ListSection(catalogue_.ReadInt(L"ArgumentMgr", L"IsEnable64", 0), is64);
  const int argc = catalogue_.ReadInt(list, L"Argc", 1);
  if (vorlan::ListLengthIsCut(argc)) {
    log.Log(32, L"ComponentOption: CConfig::GetComponentInfoFromIniFile. [%s] Argc %d is more than %d; only the first %d entries are read",
            list, argc, vorlan::kMaxListEntries, vorlan::kMaxListEntries);
  }
  const int count = vorlan::ListLength(argc);
  for (int i = 0; i < count; ++i) {
    const std::wstring component = catalogue_.ReadString(list, vorlan::ListKey(i), kCatalogueValueChars);
    if (component.empty()) continue;
    ComponentRecord record;
    record.name = component;
    record.type = catalogue_.ReadString(component, L"type", kCatalogueValueChars);
    record.path = catalogue_.ReadString(component, L"path", kCatalogueValueChars);
    record.closeRedirection = catalogue_.ReadInt(component, L"IsCloseRedirection", 0) == 1 ? 1 : 0;
    record.nickName = catalogue_.ReadString(language, component, kCatalogueValueChars);
    record.installMark = catalogue_.ReadInt(L"install", component, 0);
    log.Log(4, L"ComponentOption: CConfig::GetComponentInfoFromIniFile. InstallMark：%u, NickName: %s",
            static_cast<unsigned>(record.installMark), record.nickName);
    record.installMark =
        vorlan::MarkOnLoad(record.installMark, catalogue_.ReadInt(component, L"SkipAtWindows7", 0), OS::IsWindows7());
    components_.push_back(std::move(record));
  }
  log.Log(4, L"ComponentOption: CConfig::GetComponentInfoFromIniFile. componentNum：%d",
          static_cast<int>(components_.size()));
  return 1;
}

int CConfig::CheckComponentInfo() {
  int missing = 0;
  for (ComponentRecord& record : components_) {
    CheckOne(record);
    missing += record.notInstalled;
  }
  return missing;
}

void CConfig::CheckOne(ComponentRecord& record) {
  CLogMgr& log = CLogMgr::GetInstance();
  REGSAM access = KEY_ALL_ACCESS;
  std::optional<OS::ScopedRedirectionOff> redirectionOff;
  if (is64_ && record.closeRedirection == 1) {
    redirectionOff.emplace();
    log.Log(4, L"ComponentOption: CConfig::CheckComponentInfo.DisableRedirection. ComPonentName:%s, DisableDirection: %d",
            record.name, redirectionOff->DisableResult());
    access |= KEY_WOW64_64KEY;
  }

  record.notInstalled = 0;
  switch (vorlan::CheckForMark(record.installMark)) {
    case vorlan::MarkCheck::ByType:
      switch (vorlan::ParseCheckType(record.type)) {
        case vorlan::CheckType::RegRead:
          record.notInstalled = components::LocalMachineKeyExists(record.path, access) ? 0 : 1;
          if (record.notInstalled) {
            log.Log(4, L"ComponentOption: CConfig::CheckComponentInfo. 组件[%s]未安装 nNotinstalled= %u", record.name,
                    static_cast<unsigned>(record.notInstalled));
          } else {
            log.Log(4, L"ComponentOption: CConfig::CheckComponentInfo. 组件[%s]已安装 nNotinstalled= %u", record.name,
                    static_cast<unsigned>(record.notInstalled));
          }
          break;
        case vorlan::CheckType::FileFind:
          CheckFiles(record);
          break;
        case vorlan::CheckType::None:
          break;
      }
      break;
    case vorlan::MarkCheck::AlwaysMissing:
      record.notInstalled = 1;
      break;
    case vorlan::MarkCheck::AlwaysInstalled:
    case vorlan::MarkCheck::None:
      break;
  }

  if (redirectionOff) {
    const BOOL reverted = redirectionOff->Revert();
    log.Log(4, L"ComponentOption: CConfig::CheckComponentInfo.RevertRedirection. ComPonentName:%s, RevsertDirection: %d",
            record.name, reverted);
  }
}

void CConfig::CheckFiles(ComponentRecord& record) {
  CLogMgr& log = CLogMgr::GetInstance();
  const int count = catalogue_.ReadInt(record.name, L"count", 0);
  const int start = catalogue_.ReadInt(record.name, L"start", 0);
  const std::wstring last = catalogue_.ReadString(record.name, L"last", kCatalogueValueChars);
  const bool windir = catalogue_.ReadInt(record.name, L"windir", 0) != 0;
  const std::wstring windowsDirectory = windir ? components::WindowsDirectory() : std::wstring();
  for (int k = 0; k < count; ++k) {
    const std::wstring file =
        vorlan::FileFindName(windir, windowsDirectory, record.path, vorlan::FileFindNumber(start, k), last);
    const components::FileLookup lookup = components::LookUpFile(file);
    if (!lookup.found) {
      record.notInstalled = 1;
      log.Log(4, L"ComponentOption: CConfig::CheckComponentInfo. 组件[%s]未安装 nNotinstalled= %u, %u, %s", record.name,
              static_cast<unsigned>(record.notInstalled), static_cast<unsigned>(lookup.error), file);
      return;
    }
    record.notInstalled = 0;
    log.Log(4, L"ComponentOption: CConfig::CheckComponentInfo. 组件[%s]已安装 nNotinstalled= %u", record.name,
            static_cast<unsigned>(record.notInstalled));
  }
}
