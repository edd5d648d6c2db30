#pragma once
// Every section and key the launcher reads, one row per section family,
// with what each value must be and, for a step whose own rules judge an
// entry as a whole, that judgement. The steps read these keys, the checker
// and the dry run judge them with the same rows and the same functions; a
// step that reads a section of its own adds its rows here.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

enum class OptionFile { Launcher, Component, Select, Assoc };

// What a value must look like.
enum class ValueKind {
  Integer,       // decimal digits; `allowed` lists the values that mean something
  Text,          // anything
  StepName,      // a name of the step table, case-sensitive
  StepList,      // step names separated by ","
  OsCode,        // 0 (none) or an OS code 1..7
  OsList,        // OS codes separated by ",", 8 for 64-bit code 7
  Destination,   // absolute, or beginning with a folder macro
  ProgramFile,   // a file below the program directory
  DisplayPart,   // empty or decimal digits: anything else fails the "Display" step
  ExistingFile,  // below the program directory, a macro path or absolute; it must exist
  RegistryFile,  // an ExistingFile the launcher reads as a registry file (.reg, or .nfd/.psd)
  PackageId,     // a package id of the client service, judged by the step
};

struct KeyRow {
  // A name ending in "#" stands for the name with any index: "Argument_#".
  std::wstring_view name;
  ValueKind kind;
  // Integer: the values the reference gives a meaning; empty: any.
  std::span<const int> allowed = {};
  // Characters of the value the launcher reads; 0: as for every string of
  // the file (ValueLimit).
  unsigned readLimit = 0;
  // Integer: what the launcher does with a value outside `allowed` when it
  // takes such a value as one of them ("the game is started as with 0");
  // empty: such a value is a fault.
  std::wstring_view otherwise = {};
};

// What a step's own rules say against an entry: the key it concerns (empty:
// the section) and the step's reason, as its result line gives it.
struct EntryFault {
  std::wstring_view key;
  std::wstring reason;
};
// The value of a key of the entry, as the launcher reads it.
using EntryValue = std::function<std::wstring(std::wstring_view key)>;
using EntryJudge = std::vector<EntryFault> (*)(std::wstring_view section, const EntryValue& value);

enum class SectionForm {
  Plain,            // [Copy]
  Entry,            // [Copy0], [Copy1], ...
  EntryUnderscore,  // [ProcessMgr_0], ...
};

struct SectionRow {
  OptionFile file;
  std::wstring_view name;  // the base name of entry forms
  SectionForm form;
  // The step whose handler reads the section; empty: read on every run.
  std::wstring_view step;
  std::span<const KeyRow> keys;
  // A counting key and what it counts: entry sections of the family
  // `countsSections` (the Entry or EntryUnderscore row of that name), or
  // keys "<countsKeys><i>" of this section.
  std::wstring_view countKey = {};
  std::wstring_view countsSections = {};
  std::wstring_view countsKeys = {};
  int countDefault = 0;
  int countCap = 0;  // 0: no cap
  // The step's own judgement of a section it reads (an entry below the
  // count); null: the rows of the keys say all.
  EntryJudge judge = nullptr;
};

std::span<const SectionRow> SectionTable();

// The keys of a component section [<component>] and of [<component>Win7].
std::span<const KeyRow> ComponentKeys();
std::span<const KeyRow> ComponentWin7Keys();

// The keys of the language section [<Language>] of the catalogue other than
// the one key per component (named by the list, the component's display
// name).
std::span<const KeyRow> LanguageKeys();

// The row of a section named `section` (ASCII case ignored) in `file`, and
// for an entry form its index ("Copy12": 12; a plain index, no sign, no
// leading zero); no row when the launcher reads no such section. The
// sections named by values of the catalogue have no row.
struct SectionMatch {
  const SectionRow* row = nullptr;
  int index = -1;
};
SectionMatch FindSectionRow(OptionFile file, std::wstring_view section);

// The row of `key` (ASCII case ignored; "Argument_3" is "Argument_#"), or null.
const KeyRow* FindKeyRow(std::span<const KeyRow> keys, std::wstring_view key);

// The row's sections as the reference writes them: "Main", "Copy<n>",
// "ProcessMgr_<n>".
std::wstring SectionPattern(const SectionRow& row);

// Characters of a string value the launcher reads in each file.
unsigned ValueLimit(OptionFile file);

// "0 to 4", "0, 1, 2, 3" or "0 and 1": the values of `allowed` as a person
// lists them.
std::wstring AllowedValuesText(std::span<const int> allowed);

}  // namespace vorlan
