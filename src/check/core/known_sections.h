#pragma once
// Every section and key the launcher reads, one row per section family. A
// step that reads a section of its own adds its rows here; the checker's
// rules follow the rows.

#include <span>
#include <string_view>

namespace vorlan::check {

enum class OptionFile { Launcher, Component, Select };

// What a value must look like.
enum class ValueKind {
  Integer,      // decimal digits
  Text,         // anything
  StepName,     // a name of the step table, case-sensitive
  StepList,     // step names separated by ","
  OsCode,       // 0 (none) or an OS code 1..7
  OsList,       // OS codes separated by ",", 8 for 64-bit code 7
  Destination,  // absolute, or beginning with a folder macro
  ProgramFile,  // a file below the program directory
  DisplayPart,  // empty or decimal digits: anything else fails the "Display" step
};

struct KeyRow {
  // A name ending in "#" stands for the name with any index: "Argument_#".
  std::wstring_view name;
  ValueKind kind;
};

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
};

std::span<const SectionRow> SectionTable();

// The keys of a component section [<component>] and of [<component>Win7].
std::span<const KeyRow> ComponentKeys();
std::span<const KeyRow> ComponentWin7Keys();

// Characters of a string value the launcher reads in each file.
unsigned ValueLimit(OptionFile file);

}  // namespace vorlan::check
