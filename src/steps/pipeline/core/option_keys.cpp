#include "steps/pipeline/core/option_keys.h"

#include "assoc/core/assoc_rules.h"
#include "steps/system/core/drive_map.h"
#include "steps/registry/core/reg_value_entry.h"
#include "steps/registry/core/service_plan.h"

namespace vorlan {
namespace {

using K = ValueKind;
using F = SectionForm;
using O = OptionFile;

// What the registry-value steps read of Key, Name and Data: one character
// past the longest the registry takes, so that a longer text is refused
// rather than cut.
constexpr unsigned kRegistryTextRead = 16384;

constexpr int kRunOptions[] = {0, 1, 2, 3};
constexpr int kJunctionOptions[] = {0, 1, 2, 3, 4};
constexpr int kJunctionOptionOptions[] = {0, 1, 2, 3, 4, 5};
constexpr int kMsi[] = {0, 1};
constexpr int kAssocPathTypes[] = {0, 1};

std::wstring Widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The steps' own judgements, as their handlers make them.
std::vector<EntryFault> JudgeMap(std::wstring_view, const EntryValue& value) {
  if (std::optional<MapDecision> refused = JudgeMapDrive(value(L"Drive"))) return {{L"Drive", refused->reason}};
  return {};
}

std::vector<EntryFault> RegValueFaults(const RegValueEntryResult& made) {
  if (made.entry) return {};
  return {{made.key, Widen(made.error)}};
}

std::vector<EntryFault> JudgeKeys(std::wstring_view, const EntryValue& value) {
  return RegValueFaults(MakeRegValueEntry(value(L"Key"), value(L"Name"), value(L"Type"), value(L"Data")));
}

std::vector<EntryFault> JudgeGamePath(std::wstring_view, const EntryValue& value) {
  // The data is the program directory and the sub-path: any directory shows
  // whether the entry can be written.
  const std::wstring data = GamePathValue(L"C:\\Game", value(L"SubPath"), false);
  return RegValueFaults(MakeRegValueEntry(value(L"Key"), value(L"Name"), value(L"Type"), data));
}

std::vector<EntryFault> NoFile(std::wstring_view section) {
  return {{L"", L"[" + std::wstring(section) + L"] has no File"}};
}

std::vector<EntryFault> JudgeFileEntry(std::wstring_view section, const EntryValue& value) {
  if (value(L"File").empty()) return NoFile(section);
  return {};
}

std::vector<EntryFault> JudgeRegService(std::wstring_view section, const EntryValue& value) {
  const std::wstring file = value(L"File");
  if (file.empty()) return NoFile(section);
  const ServicePlan plan = PlanService(value(L"Name"), file, value(L"Type"), value(L"Start"), value(L"DisplayName"));
  if (plan.refusal) return {{plan.refusedKey, Widen(*plan.refusal)}};
  return {};
}

std::vector<EntryFault> JudgePackageId(std::wstring_view, const EntryValue& value) {
  const std::wstring id = value(L"PkgId");
  if (!assoc::ParsePackageId(id)) return {{L"PkgId", L"PkgId \"" + id + L"\" is not a package id"}};
  return {};
}

constexpr KeyRow kMain[] = {
    {L"IsShow", K::Integer},         {L"IsShowMain", K::Integer},     {L"IsInitComponent", K::Integer},
    {L"IsClose", K::Integer},        {L"GameExe", K::Text},           {L"BeforeExePath", K::Text},
    {L"Param", K::Text},             {L"IsCloseRedirection", K::Integer}, {L"GameExe64", K::Text},
    {L"BeforeExePath64", K::Text},   {L"Param64", K::Text},           {L"RunOption", K::Integer, kRunOptions, 0, L"the game is started as with 0"}};
constexpr KeyRow kArgc[] = {{L"Argc", K::Integer}};
constexpr KeyRow kSubProcess[] = {{L"Argc", K::Integer}, {L"Argument_#", K::StepName}, {L"IsPreLoad_#", K::Integer}};
constexpr KeyRow kControl[] = {{L"Exclude", K::StepList}};
constexpr KeyRow kWindowsCfg[] = {{L"OsCfg", K::OsList}};
constexpr KeyRow kNum[] = {{L"Num", K::Integer}};
constexpr KeyRow kCopyEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"IsFile", K::Integer},
                                 {L"Src", K::Text},      {L"Dst", K::Destination}};
constexpr KeyRow kJunctionEntry[] = {{L"SkipOS", K::OsCode}, {L"Src", K::Text}, {L"Dst", K::Destination},
                                     {L"Option", K::Integer, kJunctionOptions}};
constexpr KeyRow kJunctionOptionEntry[] = {{L"SkipOS", K::OsCode},
                                           {L"Src", K::Text},
                                           {L"Dst", K::Destination},
                                           {L"Option", K::Integer, kJunctionOptionOptions},
                                           {L"RunName", K::Text},
                                           {L"RunParam", K::Text},
                                           {L"msi", K::Integer, kMsi},
                                           {L"Wait", K::Integer}};
constexpr KeyRow kImportRegEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer},
                                      {L"File", K::RegistryFile}};
constexpr KeyRow kKeysEntry[] = {{L"SkipOS", K::OsCode},
                                 {L"IsCloseRedirection", K::Integer},
                                 {L"Key", K::Text, {}, kRegistryTextRead},
                                 {L"Name", K::Text, {}, kRegistryTextRead},
                                 {L"Type", K::Text},
                                 {L"Data", K::Text, {}, kRegistryTextRead}};
constexpr KeyRow kGamePathEntry[] = {{L"SkipOS", K::OsCode},
                                     {L"IsCloseRedirection", K::Integer},
                                     {L"Key", K::Text, {}, kRegistryTextRead},
                                     {L"Name", K::Text, {}, kRegistryTextRead},
                                     {L"Type", K::Text},
                                     {L"SubPath", K::Text},
                                     {L"TrailingBackslash", K::Integer}};
constexpr KeyRow kCompatibleEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"Exe", K::Text},
                                       {L"Layers", K::Text},   {L"IsLocalMachine", K::Integer}};
constexpr KeyRow kRegDllEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"File", K::ExistingFile},
                                   {L"IsUnregister", K::Integer}, {L"TimeOut", K::Integer}};
constexpr KeyRow kRegServiceEntry[] = {{L"SkipOS", K::OsCode},        {L"IsCloseRedirection", K::Integer},
                                       {L"Name", K::Text},            {L"DisplayName", K::Text},
                                       {L"File", K::ExistingFile},    {L"Type", K::Text},
                                       {L"Start", K::Text},           {L"IsStart", K::Integer},
                                       {L"WaitTime", K::Integer}};
constexpr KeyRow kAssocGamePathEntry[] = {{L"SkipOS", K::OsCode},
                                         {L"PkgId", K::PackageId},
                                         {L"Type", K::Integer, kAssocPathTypes},
                                         {L"Value", K::Text},    {L"Root", K::Text},    {L"Key", K::Text},
                                         {L"Name", K::Text},     {L"IsCloseRedirection", K::Integer},
                                         {L"File", K::Text},     {L"Section", K::Text}};
constexpr KeyRow kMap[] = {{L"Drive", K::Text}, {L"Path", K::Text}};
constexpr KeyRow kDisplay[] = {{L"Width", K::DisplayPart}, {L"Height", K::DisplayPart},
                                {L"BitsPerPel", K::DisplayPart}, {L"Frequency", K::DisplayPart}};
constexpr KeyRow kProgramEntry[] = {{L"Exe", K::ProgramFile}, {L"Param", K::Text}, {L"Wait", K::Integer}};
constexpr KeyRow kSelectStep[] = {{L"IniFilePath", K::Text}};
constexpr KeyRow kAppLoc[] = {{L"IsNeed", K::Integer}, {L"Exe", K::Text}, {L"Param", K::Text}};
constexpr KeyRow kOpenUrl[] = {{L"Num", K::Integer}, {L"Url_#", K::Text}};
constexpr KeyRow kWhichProcess[] = {{L"WhichProcess", K::Integer}};
constexpr KeyRow kAssoc[] = {{L"Num", K::Integer}, {L"WaitSeconds", K::Integer}};
constexpr KeyRow kAssocEntry[] = {{L"PkgId", K::PackageId}, {L"SkipOS", K::OsCode}};
constexpr KeyRow kPublic[] = {{L"Language", K::Text}};
constexpr KeyRow kArgumentMgr[] = {{L"IsEnable64", K::Integer}};
constexpr KeyRow kComponentList[] = {{L"Argc", K::Integer}, {L"Argument_#", K::Text}};
constexpr KeyRow kTovik[] = {{L"AlwaysRun", K::Integer}};
constexpr KeyRow kComponent[] = {{L"type", K::Text},    {L"path", K::Text},      {L"IsCloseRedirection", K::Integer},
                                 {L"SkipAtWindows7", K::Integer}, {L"count", K::Integer}, {L"start", K::Integer},
                                 {L"last", K::Text},    {L"windir", K::Integer}, {L"local", K::Text},
                                 {L"exe", K::Text},     {L"parameter", K::Text}, {L"msi", K::Integer},
                                 {L"regremove", K::Text}};
constexpr KeyRow kLanguage[] = {{L"Name", K::Text}};
constexpr KeyRow kComponentWin7[] = {{L"local", K::Text}, {L"exe", K::Text}, {L"parameter", K::Text},
                                     {L"msi", K::Integer}, {L"regremove", K::Text}};

constexpr SectionRow kSections[] = {
    // VorlanCfg.ini
    {O::Launcher, L"Main", F::Plain, L"", kMain},
    {O::Launcher, L"ProcessMgr", F::Plain, L"", kArgc, L"Argc", L"ProcessMgr", L"", 0, 64},
    {O::Launcher, L"ProcessMgr", F::EntryUnderscore, L"", kSubProcess, L"Argc", L"", L"Argument_", 0, 64},
    {O::Launcher, L"Control", F::Plain, L"", kControl},
    {O::Launcher, L"WindowsCfg", F::Plain, L"", kWindowsCfg},
    {O::Launcher, L"Map", F::Plain, L"Map", kMap, {}, {}, {}, 0, 0, &JudgeMap},
    {O::Launcher, L"Copy", F::Plain, L"Copy", kNum, L"Num", L"Copy"},
    {O::Launcher, L"Copy", F::Entry, L"Copy", kCopyEntry},
    {O::Launcher, L"Junction", F::Plain, L"Junction", kNum, L"Num", L"Junction"},
    {O::Launcher, L"Junction", F::Entry, L"Junction", kJunctionEntry},
    {O::Launcher, L"JunctionOption", F::Plain, L"Junction", kNum, L"Num", L"JunctionOption"},
    {O::Launcher, L"JunctionOption", F::Entry, L"Junction", kJunctionOptionEntry},
    {O::Launcher, L"PreLoad", F::Plain, L"PreLoad", kNum, L"Num", L"PreLoad"},
    {O::Launcher, L"PreLoad", F::Entry, L"PreLoad", kProgramEntry},
    {O::Launcher, L"SelectPreLoadProcess", F::Plain, L"SelectPreLoadProcess", kSelectStep},
    {O::Launcher, L"RunOnce", F::Plain, L"RunOnce", kProgramEntry},
    {O::Launcher, L"AppLoc", F::Plain, L"AppLoc", kAppLoc},
    {O::Launcher, L"OpenUrl", F::Plain, L"OpenUrl", kOpenUrl, L"Num", L"", L"Url_"},
    {O::Launcher, L"ImportReg", F::Plain, L"ImportReg", kNum, L"Num", L"ImportReg"},
    {O::Launcher, L"ImportReg", F::Entry, L"ImportReg", kImportRegEntry, {}, {}, {}, 0, 0, &JudgeFileEntry},
    {O::Launcher, L"keys", F::Plain, L"keys", kNum, L"Num", L"keys"},
    {O::Launcher, L"keys", F::Entry, L"keys", kKeysEntry, {}, {}, {}, 0, 0, &JudgeKeys},
    {O::Launcher, L"GamePath", F::Plain, L"GamePath", kNum, L"Num", L"GamePath"},
    {O::Launcher, L"GamePath", F::Entry, L"GamePath", kGamePathEntry, {}, {}, {}, 0, 0, &JudgeGamePath},
    {O::Launcher, L"Compatible", F::Plain, L"Compatible", kNum, L"Num", L"Compatible"},
    {O::Launcher, L"Compatible", F::Entry, L"Compatible", kCompatibleEntry},
    {O::Launcher, L"RegDll", F::Plain, L"RegDll", kNum, L"Num", L"RegDll"},
    {O::Launcher, L"RegDll", F::Entry, L"RegDll", kRegDllEntry, {}, {}, {}, 0, 0, &JudgeFileEntry},
    {O::Launcher, L"RegService", F::Plain, L"RegService", kNum, L"Num", L"RegService"},
    {O::Launcher, L"RegService", F::Entry, L"RegService", kRegServiceEntry, {}, {}, {}, 0, 0, &JudgeRegService},
    {O::Launcher, L"AssocGamePathSet", F::Plain, L"AssocGamePathSet", kNum, L"Num", L"AssocGamePathSet", L"", 0, 256},
    {O::Launcher, L"AssocGamePathSet", F::Entry, L"AssocGamePathSet", kAssocGamePathEntry, {}, {}, {}, 0, 0,
     &JudgePackageId},
    {O::Launcher, L"Display", F::Plain, L"Display", kDisplay},
    // The select file
    {O::Select, L"SelectPreLoadProcess", F::Plain, L"", kWhichProcess},
    {O::Select, L"PreLoadAd", F::Plain, L"", kNum, L"Num", L"PreLoadAd"},
    {O::Select, L"PreLoadAd", F::Entry, L"", kProgramEntry},
    {O::Select, L"PreLoadType", F::Plain, L"", kNum, L"Num", L"PreLoadType"},
    {O::Select, L"PreLoadType", F::Entry, L"", kProgramEntry},
    // VorlanAssoc.ini
    {O::Assoc, L"Assoc", F::Plain, L"", kAssoc, L"Num", L"Assoc", L"", 0, 256},
    {O::Assoc, L"Assoc", F::Entry, L"", kAssocEntry, {}, {}, {}, 0, 0, &JudgePackageId},
    // VorlanComponent.ini (the language and component sections are named by values)
    {O::Component, L"Public", F::Plain, L"", kPublic},
    {O::Component, L"ArgumentMgr", F::Plain, L"", kArgumentMgr},
    {O::Component, L"Argument", F::Plain, L"", kComponentList, L"Argc", L"", L"Argument_", 1, 1000},
    {O::Component, L"Argument64", F::Plain, L"", kComponentList, L"Argc", L"", L"Argument_", 1, 1000},
    {O::Component, L"Tovik", F::Plain, L"", kTovik},
};

}  // namespace

std::span<const SectionRow> SectionTable() { return kSections; }
std::span<const KeyRow> ComponentKeys() { return kComponent; }
std::span<const KeyRow> ComponentWin7Keys() { return kComponentWin7; }
std::span<const KeyRow> LanguageKeys() { return kLanguage; }

namespace {

bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
    if (x != y) return false;
  }
  return true;
}

// "<prefix><index>" with a plain index: the index.
std::optional<int> IndexAfter(std::wstring_view name, std::wstring_view prefix) {
  if (name.size() <= prefix.size() || !EqualsAsciiNoCase(name.substr(0, prefix.size()), prefix)) return std::nullopt;
  const std::wstring_view digits = name.substr(prefix.size());
  if (digits.size() > 9 || (digits.size() > 1 && digits.front() == L'0')) return std::nullopt;
  int index = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    index = index * 10 + (c - L'0');
  }
  return index;
}

}  // namespace

SectionMatch FindSectionRow(OptionFile file, std::wstring_view section) {
  for (const SectionRow& row : kSections)
    if (row.file == file && row.form == SectionForm::Plain && EqualsAsciiNoCase(row.name, section)) return {&row, -1};
  for (const SectionRow& row : kSections) {
    if (row.file != file || row.form == SectionForm::Plain) continue;
    const std::wstring prefix = std::wstring(row.name) + (row.form == SectionForm::EntryUnderscore ? L"_" : L"");
    if (std::optional<int> index = IndexAfter(section, prefix)) return {&row, *index};
  }
  return {};
}

const KeyRow* FindKeyRow(std::span<const KeyRow> keys, std::wstring_view key) {
  for (const KeyRow& row : keys) {
    if (row.name.ends_with(L'#')) {
      if (IndexAfter(key, row.name.substr(0, row.name.size() - 1))) return &row;
    } else if (EqualsAsciiNoCase(row.name, key)) {
      return &row;
    }
  }
  return nullptr;
}

std::wstring SectionPattern(const SectionRow& row) {
  switch (row.form) {
    case SectionForm::Plain: return std::wstring(row.name);
    case SectionForm::Entry: return std::wstring(row.name) + L"<n>";
    case SectionForm::EntryUnderscore: return std::wstring(row.name) + L"_<n>";
  }
  return {};
}

unsigned ValueLimit(OptionFile file) { return file == OptionFile::Component ? 259 : 1023; }

std::wstring AllowedValuesText(std::span<const int> allowed) {
  if (allowed.empty()) return {};
  bool contiguous = allowed.size() > 3;
  for (std::size_t i = 1; i < allowed.size(); ++i) contiguous = contiguous && allowed[i] == allowed[i - 1] + 1;
  if (contiguous) return std::to_wstring(allowed.front()) + L" to " + std::to_wstring(allowed.back());
  std::wstring text;
  for (std::size_t i = 0; i < allowed.size(); ++i) {
    if (i > 0) text += i + 1 == allowed.size() ? L" and " : L", ";
    text += std::to_wstring(allowed[i]);
  }
  return text;
}

}  // namespace vorlan
