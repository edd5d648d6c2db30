#include "steps/assoc/win/assoc_game_path_set_step.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "assoc/core/assoc_rules.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/os_info.h"
#include "platform/win/scoped_resource.h"
#include "steps/assoc/win/assoc_step.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/pipeline/win/translate_path.h"

namespace vorlan::steps {
namespace {

constexpr wchar_t kBase[] = L"AssocGamePathSet";
constexpr int kTypeRegistry = 0;
constexpr int kTypeIni = 1;

std::optional<HKEY> RootOf(const std::wstring& name) {
  if (::_wcsicmp(name.c_str(), L"HKLM") == 0) return HKEY_LOCAL_MACHINE;
  if (::_wcsicmp(name.c_str(), L"HKCU") == 0) return HKEY_CURRENT_USER;
  if (::_wcsicmp(name.c_str(), L"HKCR") == 0) return HKEY_CLASSES_ROOT;
  return std::nullopt;
}

bool IsAbsolute(const std::wstring& path) {
  return (path.size() >= 2 && path[1] == L':') || path.rfind(L"\\\\", 0) == 0;
}

// Writes `value`; returns 0 or the system error code. `target` describes
// where, for the log.
DWORD WriteRegistry(const OS::IniFile& options, const std::wstring& section, const std::wstring& value,
                    std::wstring& target) {
  std::wstring rootName = options.ReadString(section, L"Root");
  if (rootName.empty()) rootName = L"HKLM";
  const std::wstring key = options.ReadString(section, L"Key");
  const std::wstring name = options.ReadString(section, L"Name");
  target = rootName + L"\\" + key + L"\\" + name;
  const std::optional<HKEY> root = RootOf(rootName);
  if (!root || key.empty()) return ERROR_INVALID_PARAMETER;
  REGSAM access = KEY_SET_VALUE;
  if (options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs()) access |= KEY_WOW64_64KEY;
  HKEY opened = nullptr;
  LONG result = ::RegCreateKeyExW(*root, key.c_str(), 0, nullptr, 0, access, nullptr, &opened, nullptr);
  if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
  OS::ScopedRegKey owner(opened);
  result = ::RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return static_cast<DWORD>(result);
}

DWORD WriteIni(const OS::IniFile& options, const std::wstring& section, const std::wstring& value,
               std::wstring& target) {
  std::wstring file = options.ReadString(section, L"File");
  if (file.empty()) file = L"VorlanGameTool.ini";
  if (file.front() == L'$') {
    file = ResolveMacroPrefixedPath(file, false);
  } else if (!IsAbsolute(file)) {
    file = PathJoin(DirectoryOf(options.Path()), file);
  }
  const std::wstring iniSection = options.ReadString(section, L"Section");
  const std::wstring key = options.ReadString(section, L"Key");
  target = file + L" [" + iniSection + L"] " + key;
  if (iniSection.empty() || key.empty()) return ERROR_INVALID_PARAMETER;
  if (::WritePrivateProfileStringW(iniSection.c_str(), key.c_str(), value.c_str(), file.c_str())) return 0;
  return ::GetLastError();
}

}  // namespace

void RunAssocGamePathSetStep(const OS::IniFile& options, ::assoc::PackageService& service) {
  CLogMgr& log = CLogMgr::GetInstance();
  const int count = std::min(EntryCount(options, kBase), kMaxAssocPackages);

  // The entries with a valid id; then one question for all their packages.
  std::vector<std::pair<int, std::wstring>> entries;
  std::map<int, std::uint32_t> idOf;
  std::vector<std::uint32_t> ids;
  ForEachEntry(options, kBase, count, [&](int i, const std::wstring& section) {
    const std::wstring text = options.ReadString(section, L"PkgId");
    const std::optional<std::uint32_t> id = vorlan::assoc::ParsePackageId(text);
    if (!id) {
      log.Log(32, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d PkgId \"%s\" Failed, not a package id",
              kBase, i, text);
      return;
    }
    entries.emplace_back(i, section);
    idOf[i] = *id;
    if (std::find(ids.begin(), ids.end(), *id) == ids.end()) ids.push_back(*id);
  });
  if (entries.empty()) return;

  std::vector<PackageInfo> records;
  service.QueryPackageInfo(ids, records);
  std::map<std::uint32_t, std::wstring> pathOf;
  for (const PackageInfo& record : records)
    if (!record.Path.empty()) pathOf[record.PkgId] = record.Path;

  for (const auto& [i, section] : entries) {
    const std::uint32_t id = idOf[i];
    const auto path = pathOf.find(id);
    if (path == pathOf.end()) {
      log.Log(32, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d PkgId %u Failed, unknown to the client service",
              kBase, i, id);
      continue;
    }
    std::wstring pattern = options.ReadString(section, L"Value");
    if (pattern.empty()) pattern = L"%PkgPath%";
    const std::wstring value = vorlan::assoc::ReplacePackagePath(pattern, path->second);
    std::wstring target;
    const int type = options.ReadInt(section, L"Type", kTypeRegistry);
    DWORD error = ERROR_INVALID_PARAMETER;
    if (type == kTypeRegistry) {
      error = WriteRegistry(options, section, value, target);
    } else if (type == kTypeIni) {
      error = WriteIni(options, section, value, target);
    } else {
      target = L"Type " + std::to_wstring(type);
    }
    if (error == 0) {
      log.Log(4, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d %s = %s Success", kBase, i,
              target, value);
    } else {
      log.Log(32, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d %s = %s Failed, %d", kBase, i,
              target, value, error);
    }
  }
}

}  // namespace vorlan::steps
