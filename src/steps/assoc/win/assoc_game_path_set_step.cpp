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

// Writes `value` where the entry says; returns 0 or the system error code.
DWORD WriteRegistry(const AssocPathEntry& entry, const std::wstring& value) {
  const std::optional<HKEY> root = RootOf(entry.root);
  const REGSAM access = KEY_SET_VALUE | (entry.native ? KEY_WOW64_64KEY : 0);
  HKEY opened = nullptr;
  LONG result = ::RegCreateKeyExW(*root, entry.key.c_str(), 0, nullptr, 0, access, nullptr, &opened, nullptr);
  if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
  OS::ScopedRegKey owner(opened);
  result = ::RegSetValueExW(opened, entry.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return static_cast<DWORD>(result);
}

DWORD WriteIni(const AssocPathEntry& entry, const std::wstring& value) {
  if (::WritePrivateProfileStringW(entry.iniSection.c_str(), entry.key.c_str(), value.c_str(), entry.file.c_str()))
    return 0;
  return ::GetLastError();
}

AssocPathEntry ReadEntry(const OS::IniFile& options, int index, const std::wstring& section) {
  AssocPathEntry entry;
  entry.index = index;
  entry.section = section;
  entry.pkgIdText = options.ReadString(section, L"PkgId");
  entry.id = vorlan::assoc::ParsePackageId(entry.pkgIdText);
  entry.pattern = options.ReadString(section, L"Value");
  if (entry.pattern.empty()) entry.pattern = L"%PkgPath%";
  entry.type = options.ReadInt(section, L"Type", kTypeRegistry);
  entry.key = options.ReadString(section, L"Key");
  if (entry.type == kTypeRegistry) {
    entry.root = options.ReadString(section, L"Root");
    if (entry.root.empty()) entry.root = L"HKLM";
    entry.name = options.ReadString(section, L"Name");
    entry.native = options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs();
    entry.target = entry.root + L"\\" + entry.key + L"\\" + entry.name;
    entry.complete = RootOf(entry.root) && !entry.key.empty();
  } else if (entry.type == kTypeIni) {
    entry.file = options.ReadString(section, L"File");
    if (entry.file.empty()) entry.file = L"VorlanGameTool.ini";
    if (entry.file.front() == L'$') {
      entry.file = ResolveMacroPrefixedPath(entry.file, false);
    } else if (!IsAbsolute(entry.file)) {
      entry.file = PathJoin(DirectoryOf(options.Path()), entry.file);
    }
    entry.iniSection = options.ReadString(section, L"Section");
    entry.target = entry.file + L" [" + entry.iniSection + L"] " + entry.key;
    entry.complete = !entry.iniSection.empty() && !entry.key.empty();
  } else {
    entry.target = L"Type " + std::to_wstring(entry.type);
  }
  return entry;
}

}  // namespace

std::vector<AssocPathEntry> ReadAssocPathEntries(const OS::IniFile& options) {
  std::vector<AssocPathEntry> entries;
  ForEachEntry(options, kBase, std::min(EntryCount(options, kBase), kMaxAssocPackages),
               [&](int i, const std::wstring& section) { entries.push_back(ReadEntry(options, i, section)); });
  return entries;
}

void RunAssocGamePathSetStep(const OS::IniFile& options, ::assoc::PackageService& service) {
  CLogMgr& log = CLogMgr::GetInstance();

  // The entries with a valid id; then one question for all their packages.
  std::vector<AssocPathEntry> entries;
  std::vector<std::uint32_t> ids;
  for (AssocPathEntry& entry : ReadAssocPathEntries(options)) {
    if (!entry.id) {
      log.Log(32, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d PkgId \"%s\" Failed, not a package id",
              kBase, entry.index, entry.pkgIdText);
      continue;
    }
    if (std::find(ids.begin(), ids.end(), *entry.id) == ids.end()) ids.push_back(*entry.id);
    entries.push_back(std::move(entry));
  }
  if (entries.empty()) return;

  std::vector<PackageInfo> records;
  service.QueryPackageInfo(ids, records);
  std::map<std::uint32_t, std::wstring> pathOf;
  for (const PackageInfo& record : records)
    if (!record.Path.empty()) pathOf[record.PkgId] = record.Path;

  for (const AssocPathEntry& entry : entries) {
    const auto path = pathOf.find(*entry.id);
    if (path == pathOf.end()) {
      log.Log(32, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d PkgId %u Failed, unknown to the client service",
              kBase, entry.index, *entry.id);
      continue;
    }
    const std::wstring value = vorlan::assoc::ReplacePackagePath(entry.pattern, path->second);
    DWORD error = ERROR_INVALID_PARAMETER;
    if (entry.complete) error = entry.type == kTypeRegistry ? WriteRegistry(entry, value) : WriteIni(entry, value);
    if (error == 0) {
      log.Log(4, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d %s = %s Success", kBase,
              entry.index, entry.target, value);
    } else {
      log.Log(32, L"AssocGamePathSetOption: CVorlanDlg::ProcessAssocGamePathSet. %s%d %s = %s Failed, %d", kBase,
              entry.index, entry.target, value, error);
    }
  }
}

}  // namespace vorlan::steps
