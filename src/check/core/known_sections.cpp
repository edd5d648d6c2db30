#include "check/core/known_sections.h"

namespace vorlan::check {
namespace {

using K = ValueKind;
using F = SectionForm;
using O = OptionFile;

constexpr KeyRow kMain[] = {
    {L"IsShow", K::Integer},         {L"IsShowMain", K::Integer},     {L"IsInitComponent", K::Integer},
    {L"IsClose", K::Integer},        {L"GameExe", K::Text},           {L"BeforeExePath", K::Text},
    {L"Param", K::Text},             {L"IsCloseRedirection", K::Integer}, {L"GameExe64", K::Text},
    {L"BeforeExePath64", K::Text},   {L"Param64", K::Text},           {L"RunOption", K::Integer}};
constexpr KeyRow kArgc[] = {{L"Argc", K::Integer}};
constexpr KeyRow kSubProcess[] = {{L"Argc", K::Integer}, {L"Argument_#", K::StepName}, {L"IsPreLoad_#", K::Integer}};
constexpr KeyRow kControl[] = {{L"Exclude", K::StepList}};
constexpr KeyRow kWindowsCfg[] = {{L"OsCfg", K::OsList}};
constexpr KeyRow kNum[] = {{L"Num", K::Integer}};
constexpr KeyRow kCopyEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"IsFile", K::Integer},
                                 {L"Src", K::Text},      {L"Dst", K::Destination}};
constexpr KeyRow kJunctionEntry[] = {{L"SkipOS", K::OsCode}, {L"Src", K::Text}, {L"Dst", K::Destination},
                                     {L"Option", K::Integer}};
constexpr KeyRow kJunctionOptionEntry[] = {{L"SkipOS", K::OsCode}, {L"Src", K::Text},          {L"Dst", K::Destination},
                                           {L"Option", K::Integer}, {L"RunName", K::Text},      {L"RunParam", K::Text},
                                           {L"msi", K::Integer},    {L"Wait", K::Integer}};
constexpr KeyRow kImportRegEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"File", K::Text}};
constexpr KeyRow kKeysEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"Key", K::Text},
                                 {L"Name", K::Text},     {L"Type", K::Text},                  {L"Data", K::Text}};
constexpr KeyRow kGamePathEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"Key", K::Text},
                                     {L"Name", K::Text},     {L"Type", K::Text},                  {L"SubPath", K::Text},
                                     {L"TrailingBackslash", K::Integer}};
constexpr KeyRow kCompatibleEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"Exe", K::Text},
                                       {L"Layers", K::Text},   {L"IsLocalMachine", K::Integer}};
constexpr KeyRow kRegDllEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"File", K::Text},
                                   {L"IsUnregister", K::Integer}, {L"TimeOut", K::Integer}};
constexpr KeyRow kRegServiceEntry[] = {{L"SkipOS", K::OsCode}, {L"IsCloseRedirection", K::Integer}, {L"Name", K::Text},
                                       {L"DisplayName", K::Text}, {L"File", K::Text},   {L"Type", K::Text},
                                       {L"Start", K::Text},       {L"IsStart", K::Integer}, {L"WaitTime", K::Integer}};
constexpr KeyRow kAssocGamePathEntry[] = {{L"SkipOS", K::OsCode}, {L"PkgId", K::Integer}, {L"Type", K::Integer},
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
constexpr KeyRow kPublic[] = {{L"Language", K::Text}};
constexpr KeyRow kArgumentMgr[] = {{L"IsEnable64", K::Integer}};
constexpr KeyRow kComponentList[] = {{L"Argc", K::Integer}, {L"Argument_#", K::Text}};
constexpr KeyRow kTovik[] = {{L"AlwaysRun", K::Integer}};
constexpr KeyRow kComponent[] = {{L"type", K::Text},    {L"path", K::Text},      {L"IsCloseRedirection", K::Integer},
                                 {L"SkipAtWindows7", K::Integer}, {L"count", K::Integer}, {L"start", K::Integer},
                                 {L"last", K::Text},    {L"windir", K::Integer}, {L"local", K::Text},
                                 {L"exe", K::Text},     {L"parameter", K::Text}, {L"msi", K::Integer},
                                 {L"regremove", K::Text}};
constexpr KeyRow kComponentWin7[] = {{L"local", K::Text}, {L"exe", K::Text}, {L"parameter", K::Text},
                                     {L"msi", K::Integer}, {L"regremove", K::Text}};

constexpr SectionRow kSections[] = {
    // VorlanCfg.ini
    {O::Launcher, L"Main", F::Plain, L"", kMain},
    {O::Launcher, L"ProcessMgr", F::Plain, L"", kArgc, L"Argc", L"ProcessMgr", L"", 0, 64},
    {O::Launcher, L"ProcessMgr", F::EntryUnderscore, L"", kSubProcess, L"Argc", L"", L"Argument_", 0, 64},
    {O::Launcher, L"Control", F::Plain, L"", kControl},
    {O::Launcher, L"WindowsCfg", F::Plain, L"", kWindowsCfg},
    {O::Launcher, L"Map", F::Plain, L"Map", kMap},
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
    {O::Launcher, L"ImportReg", F::Entry, L"ImportReg", kImportRegEntry},
    {O::Launcher, L"keys", F::Plain, L"keys", kNum, L"Num", L"keys"},
    {O::Launcher, L"keys", F::Entry, L"keys", kKeysEntry},
    {O::Launcher, L"GamePath", F::Plain, L"GamePath", kNum, L"Num", L"GamePath"},
    {O::Launcher, L"GamePath", F::Entry, L"GamePath", kGamePathEntry},
    {O::Launcher, L"Compatible", F::Plain, L"Compatible", kNum, L"Num", L"Compatible"},
    {O::Launcher, L"Compatible", F::Entry, L"Compatible", kCompatibleEntry},
    {O::Launcher, L"RegDll", F::Plain, L"RegDll", kNum, L"Num", L"RegDll"},
    {O::Launcher, L"RegDll", F::Entry, L"RegDll", kRegDllEntry},
    {O::Launcher, L"RegService", F::Plain, L"RegService", kNum, L"Num", L"RegService"},
    {O::Launcher, L"RegService", F::Entry, L"RegService", kRegServiceEntry},
    {O::Launcher, L"AssocGamePathSet", F::Plain, L"AssocGamePathSet", kNum, L"Num", L"AssocGamePathSet"},
    {O::Launcher, L"AssocGamePathSet", F::Entry, L"AssocGamePathSet", kAssocGamePathEntry},
    {O::Launcher, L"Display", F::Plain, L"Display", kDisplay},
    // The select file
    {O::Select, L"SelectPreLoadProcess", F::Plain, L"", kWhichProcess},
    {O::Select, L"PreLoadAd", F::Plain, L"", kNum, L"Num", L"PreLoadAd"},
    {O::Select, L"PreLoadAd", F::Entry, L"", kProgramEntry},
    {O::Select, L"PreLoadType", F::Plain, L"", kNum, L"Num", L"PreLoadType"},
    {O::Select, L"PreLoadType", F::Entry, L"", kProgramEntry},
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

unsigned ValueLimit(OptionFile file) { return file == OptionFile::Component ? 259 : 1023; }

}  // namespace vorlan::check
