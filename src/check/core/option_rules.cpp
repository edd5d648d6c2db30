#include "check/core/option_rules.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "steps/pipeline/core/white_list.h"
#include "check/core/closest_name.h"
#include "check/core/ini_scan.h"
#include "pkg_reg/core/pkg_reg.h"
#include "platform/core/path_join.h"
#include "steps/assoc/core/assoc_package_list.h"
#include "steps/registry/core/com_server_plan.h"
#include "steps/registry/core/compat_layers.h"
#include "steps/system/core/display_mode.h"
#include "steps/programs/core/game_exe_settings.h"
#include "steps/pipeline/core/numbered_sections.h"
#include "steps/pipeline/core/option_keys.h"
#include "steps/registry/core/reg_file.h"
#include "steps/registry/core/reg_import.h"
#include "steps/pipeline/core/path_macros.h"
#include "steps/pipeline/core/step_table.h"

namespace vorlan::check {
namespace {

constexpr std::wstring_view kLauncherFile = L"VorlanCfg.ini";
constexpr std::wstring_view kComponentFile = L"VorlanComponent.ini";
constexpr std::wstring_view kAssocFile = L"VorlanAssoc.ini";
constexpr std::wstring_view kGameToolFile = L"VorlanGameTool.ini";

bool AllDigits(std::wstring_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The system's INI integer reader: the decimal digits at the start.
long long ProfileInt(std::wstring_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == L'-') {
    negative = true;
    text.remove_prefix(1);
  }
  long long value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    value = std::min<long long>(value * 10 + (c - L'0'), 1LL << 40);
  }
  return negative ? -value : value;
}

// "<prefix><index>" with a plain index (no sign, no leading zero): the index.
std::optional<int> IndexAfter(std::wstring_view name, std::wstring_view prefix) {
  if (name.size() <= prefix.size() || !EqualsNoCase(name.substr(0, prefix.size()), prefix)) return std::nullopt;
  const std::wstring_view digits = name.substr(prefix.size());
  if (!AllDigits(digits) || digits.size() > 9 || (digits.size() > 1 && digits.front() == L'0')) return std::nullopt;
  return static_cast<int>(ProfileInt(digits));
}

std::wstring Quoted(std::wstring_view text) { return L"\"" + std::wstring(text) + L"\""; }

bool LooksLikeComment(std::wstring_view raw) {
  for (std::size_t i = 1; i < raw.size(); ++i) {
    if (raw[i - 1] != L' ' && raw[i - 1] != L'\t') continue;
    if (raw[i] == L';' || raw[i] == L'#' || raw.substr(i, 2) == L"//") return true;
  }
  return false;
}

std::vector<std::wstring_view> StepNames() {
  std::vector<std::wstring_view> names;
  for (const StepInfo& step : StepTable()) names.push_back(step.name);
  return names;
}

std::vector<std::wstring_view> MacroNames() {
  std::vector<std::wstring_view> names;
  for (const MacroRow& row : MacroTable()) names.push_back(row.token);
  return names;
}

std::wstring DidYouMean(std::wstring_view found, std::wstring_view prefix = L"", std::wstring_view suffix = L"") {
  if (found.empty()) return {};
  return L"; did you mean " + std::wstring(prefix) + std::wstring(found) + std::wstring(suffix) + L"?";
}

// One option file being checked.
struct FileUnderCheck {
  OptionFile kind;
  std::wstring relative;
  ScannedIni ini;
  bool useReader = true;
};

constexpr std::size_t kReaderSectionLimit = 2000;

class Checker {
 public:
  explicit Checker(const FolderAccess& folder) : folder_(folder) {}

  std::vector<Finding> Run() {
    FileUnderCheck* cfg = Load(std::wstring(kLauncherFile), OptionFile::Launcher, true);
    if (!cfg) return std::move(findings_);
    if (cfg->ini.empty) {
      Add(*cfg, 0, Severity::Error, L"the file holds no section and no key: a full run runs no step and does not start the game");
      return std::move(findings_);
    }
    CheckGeneric(*cfg);
    CheckCounters(*cfg);
    CheckSteps(*cfg);
    CheckMain(*cfg);
    CheckEntries(*cfg);
    CheckSelectFile(*cfg);
    CheckComponentFile(*cfg);
    CheckAssocFile();
    // Written by "AssocGamePathSet"; only its encoding can spoil what the
    // step writes into it.
    Load(std::wstring(kGameToolFile), OptionFile::Select, false);
    // As a compiler reports: by file, then by line.
    std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
      return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    return std::move(findings_);
  }

 private:
  void Add(const FileUnderCheck& file, int line, Severity severity, std::wstring message) {
    findings_.push_back({folder_.Display(file.relative), line, severity, std::move(message)});
  }

  // Reads and scans a file; findings for a file that is missing (when
  // required), too large or in an encoding the reader misreads.
  FileUnderCheck* Load(const std::wstring& relative, OptionFile kind, bool required) {
    std::optional<std::string> bytes = folder_.ReadBytes(relative, kMaxOptionFileBytes);
    FileUnderCheck file{kind, relative, {}};
    if (!bytes) {
      if (required) Add(file, 0, Severity::Error, L"no such file: the launcher does nothing without it");
      return nullptr;
    }
    if (bytes->size() > kMaxOptionFileBytes) {
      Add(file, 0, Severity::Error, L"larger than 16 MB: not an option file, not checked");
      return nullptr;
    }
    // Names and values scanned must compare with those the reader returns.
    file.ini = ScanIni(*bytes, [this](std::string_view ansi) {
      if (std::optional<std::wstring> text = folder_.DecodeAnsi(ansi)) return *text;
      std::wstring widened;
      for (unsigned char c : ansi) widened.push_back(c);
      return widened;
    });
    // The system's reader goes through the whole file for every value: for a
    // huge file the scanned values stand in (they are the same text).
    file.useReader = file.ini.sections.size() <= kReaderSectionLimit;
    switch (file.ini.encoding) {
      case TextEncoding::Utf16Be:
        Add(file, 0, Severity::Error, L"saved as UTF-16 big-endian: the reader finds no section in it; save it as ANSI");
        return nullptr;
      case TextEncoding::Binary:
        Add(file, 0, Severity::Error,
            L"holds NUL bytes (UTF-16 without a byte-order mark?): the reader finds no section in it; save it as ANSI");
        return nullptr;
      case TextEncoding::Utf16Le:
        Add(file, 0, Severity::Warning, L"saved as UTF-16: Windows reads it, but option files are kept as ANSI (code page 936)");
        break;
      case TextEncoding::Utf8Bom: {
        const bool firstIsComment = file.ini.sections.empty() || file.ini.sections.front().line != 1;
        if (firstIsComment)
          Add(file, 1, Severity::Warning,
              L"UTF-8 with a byte-order mark: Windows does not take the mark for text of the file; save it as ANSI");
        else
          Add(file, 1, Severity::Error,
              L"UTF-8 with a byte-order mark before [" + file.ini.sections.front().name +
                  L"]: Windows reads the mark as part of the section name and does not find the section; save it as ANSI");
        break;
      }
      case TextEncoding::Utf8:
        Add(file, 0, Severity::Warning,
            L"UTF-8 text with non-ASCII characters: Windows reads it in the ANSI code page (936) and the text comes out garbled; save it as ANSI");
        break;
      case TextEncoding::Ansi:
        break;
    }
    files_.push_back(std::make_unique<FileUnderCheck>(std::move(file)));
    return files_.back().get();
  }

  std::wstring Value(const FileUnderCheck& file, std::wstring_view section, std::wstring_view key) const {
    if (file.useReader)
      if (std::optional<std::wstring> v = folder_.ReadValue(file.relative, std::wstring(section), std::wstring(key)))
        return *v;
    const IniKey* k = file.ini.FindKey(section, key);
    return k ? k->value.substr(0, ValueLimit(file.kind)) : std::wstring();
  }
  // A key read further than the file's strings: the scanned value, up to
  // what the launcher reads.
  std::wstring Value(const FileUnderCheck& file, std::wstring_view section, const KeyRow& row, std::wstring_view key) const {
    if (row.readLimit <= ValueLimit(file.kind)) return Value(file, section, key);
    const IniKey* k = file.ini.FindKey(section, key);
    return k ? k->value.substr(0, row.readLimit) : std::wstring();
  }
  int Int(const FileUnderCheck& file, std::wstring_view section, std::wstring_view key, int fallback) const {
    if (!file.ini.FindKey(section, key)) return fallback;
    return static_cast<int>(std::clamp<long long>(ProfileInt(Value(file, section, key)), INT32_MIN, INT32_MAX));
  }
  static int LineOf(const FileUnderCheck& file, std::wstring_view section, std::wstring_view key) {
    if (const IniKey* k = file.ini.FindKey(section, key)) return k->line;
    const IniSection* s = file.ini.Find(section);
    return s ? s->line : 0;
  }

  // The row of a section present in the file, and the entry index.
  struct RowMatch {
    const SectionRow* row = nullptr;
    int index = -1;
  };
  static RowMatch MatchRow(OptionFile kind, std::wstring_view name) {
    const SectionMatch match = FindSectionRow(kind, name);
    return {match.row, match.index};
  }
  static const SectionRow* EntryRow(OptionFile kind, std::wstring_view base) {
    for (const SectionRow& row : SectionTable())
      if (row.file == kind && row.form != SectionForm::Plain && row.name == base) return &row;
    return nullptr;
  }
  static std::wstring EntryName(const SectionRow& row, int index) {
    return row.form == SectionForm::EntryUnderscore ? std::wstring(row.name) + L"_" + std::to_wstring(index)
                                                    : EntrySectionName(row.name, index);
  }
  static const KeyRow* MatchKey(std::span<const KeyRow> keys, std::wstring_view name) { return FindKeyRow(keys, name); }

  // Stray lines, repeated names, unknown sections and keys, and each value
  // against its kind.
  void CheckGeneric(const FileUnderCheck& file) {
    for (const StrayLine& stray : file.ini.strays) {
      const wchar_t* text = stray.kind == StrayLine::Kind::UnclosedSection ? L"a section name without \"]\""
                            : stray.kind == StrayLine::Kind::KeyBeforeSection
                                ? L"a key before the first section: it is not read"
                                : L"neither a section, a key nor a comment (comments start with \";\")";
      Add(file, stray.line, Severity::Warning, text);
    }
    std::vector<std::wstring_view> known;
    for (const SectionRow& row : SectionTable())
      if (row.file == file.kind) known.push_back(row.name);
    for (std::size_t i = 0; i < file.ini.sections.size(); ++i) {
      const IniSection& section = file.ini.sections[i];
      const IniSection* first = file.ini.Find(section.name);
      if (first != &section) {
        Add(file, section.line, Severity::Warning,
            L"[" + section.name + L"] is written twice (first on line " + std::to_wstring(first->line) +
                L"): only the first is read");
        continue;
      }
      const RowMatch match = MatchRow(file.kind, section.name);
      std::span<const KeyRow> keys;
      if (match.row) {
        keys = match.row->keys;
      } else if (file.kind == OptionFile::Component) {
        continue;  // language and component sections: checked from the list
      } else {
        Add(file, section.line, Severity::Warning,
            L"[" + section.name + L"] is not read by the launcher" +
                DidYouMean(ClosestName(section.name, SectionCandidates(file.kind, section.name, known)), L"[", L"]"));
        continue;
      }
      const bool read = !match.row || IsRead(file, *match.row, match.index);
      CheckKeys(file, section, keys, read, match.row);
      if (read && match.row && match.row->judge) Judge(file, section, *match.row);
    }
  }

  // An entry section below its count (a plain section is read when its
  // step is listed, which CheckSteps looks at).
  bool IsRead(const FileUnderCheck& file, const SectionRow& row, int index) {
    if (row.form == SectionForm::Plain) return true;
    for (const SectionRow& counting : SectionTable()) {
      if (counting.file != row.file || counting.countsSections != row.name || counting.form != SectionForm::Plain) continue;
      int count = Int(file, counting.name, counting.countKey, counting.countDefault);
      if (counting.countCap > 0) count = std::min(count, counting.countCap);
      return index < count;
    }
    return true;
  }

  // What the step's own rules say against the section.
  void Judge(const FileUnderCheck& file, const IniSection& section, const SectionRow& row) {
    const EntryValue value = [&](std::wstring_view key) -> std::wstring {
      const KeyRow* k = MatchKey(row.keys, key);
      return k ? Value(file, section.name, *k, key) : Value(file, section.name, key);
    };
    for (const EntryFault& fault : row.judge(section.name, value)) {
      const int line = fault.key.empty() ? section.line : LineOf(file, section.name, fault.key);
      const std::wstring step = row.step.empty() ? std::wstring(row.name) : std::wstring(row.step);
      Add(file, line, Severity::Error, L"step " + Quoted(step) + L" fails [" + section.name + L"]: " + fault.reason);
    }
  }

  // The known names, and for a name ending in digits the entry sections
  // of that number ("ProcessMgr0" is nearest to "ProcessMgr_0").
  std::vector<std::wstring_view> SectionCandidates(OptionFile kind, std::wstring_view name,
                                                   const std::vector<std::wstring_view>& known) {
    std::vector<std::wstring_view> candidates;
    std::size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= L'0' && name[digits - 1] <= L'9') --digits;
    if (digits < name.size() && name.size() - digits <= 9) {
      const int index = static_cast<int>(ProfileInt(name.substr(digits)));
      // Entry names first: on an equal distance the first candidate wins.
      for (const SectionRow& row : SectionTable()) {
        if (row.file != kind || row.form == SectionForm::Plain) continue;
        candidateStore_.push_back(EntryName(row, index));
        candidates.push_back(candidateStore_.back());
      }
    }
    candidates.insert(candidates.end(), known.begin(), known.end());
    return candidates;
  }

  void CheckKeys(const FileUnderCheck& file, const IniSection& section, std::span<const KeyRow> keys, bool read = true,
                 const SectionRow* sectionRow = nullptr) {
    std::set<std::wstring> seen;
    for (const IniKey& key : section.keys) {
      if (!seen.insert(FoldCase(key.name)).second) {
        Add(file, key.line, Severity::Warning,
            Quoted(key.name) + L" is written twice in [" + section.name + L"]: only the first is read");
        continue;
      }
      const KeyRow* row = MatchKey(keys, key.name);
      if (!row) {
        Add(file, key.line, Severity::Warning, L"unknown key " + Quoted(key.name) + L" in [" + section.name + L"]" + KeyHint(file, section, sectionRow, keys, key.name));
        continue;
      }
      CheckValue(file, section, key, *row, read);
    }
  }

  // For an unknown key: the section of the same family that reads it ("this
  // key belongs to [JunctionOption0]"), or the nearest key of this one, an
  // indexed key with the index written ("Argument_1", not "Argument_#").
  std::wstring KeyHint(const FileUnderCheck& file, const IniSection& section, const SectionRow* sectionRow,
                       std::span<const KeyRow> keys, std::wstring_view name) {
    if (sectionRow) {
      const RowMatch here = MatchRow(file.kind, section.name);
      for (const SectionRow& other : SectionTable()) {
        if (&other == sectionRow || other.file != file.kind) continue;
        const bool family = other.name.starts_with(sectionRow->name) || sectionRow->name.starts_with(other.name);
        if (!family || !MatchKey(other.keys, name)) continue;
        if (sectionRow->form == SectionForm::Plain && other.form != SectionForm::Plain) continue;
        const std::wstring target = other.form == SectionForm::Plain ? std::wstring(other.name) : EntryName(other, here.index);
        return L"; this key belongs to [" + target + L"]";
      }
    }
    std::vector<std::wstring> written;
    for (const KeyRow& key : keys) {
      if (!key.name.ends_with(L'#')) {
        written.emplace_back(key.name);
        continue;
      }
      std::size_t digits = name.size();
      while (digits > 0 && name[digits - 1] >= L'0' && name[digits - 1] <= L'9') --digits;
      const std::wstring_view index = digits < name.size() ? name.substr(digits) : std::wstring_view(L"0");
      written.push_back(std::wstring(key.name.substr(0, key.name.size() - 1)) + std::wstring(index));
    }
    const std::vector<std::wstring_view> names(written.begin(), written.end());
    return DidYouMean(ClosestName(name, names), L"\"", L"\"");
  }

  void CheckValue(const FileUnderCheck& file, const IniSection& section, const IniKey& key, const KeyRow& row,
                  bool read = true) {
    const unsigned limit = row.readLimit > 0 ? row.readLimit : ValueLimit(file.kind);
    if (key.value.size() > limit) {
      Add(file, key.line, Severity::Warning,
          Quoted(key.name) + L" is " + std::to_wstring(key.value.size()) + L" characters long: the launcher reads the first " +
              std::to_wstring(limit));
      return;
    }
    if (LooksLikeComment(key.raw)) {
      Add(file, key.line, Severity::Warning,
          L"text after the value of " + Quoted(key.name) +
              L" looks like a comment, but it is part of the value: put comments on a line of their own");
      return;
    }
    const std::wstring value = Value(file, section.name, row, key.name);
    switch (row.kind) {
      case ValueKind::Integer: {
        if (!key.raw.empty() && !AllDigits(key.raw)) {
          Add(file, key.line, Severity::Warning,
              Quoted(key.name + L"=" + key.raw) + L" is read as the integer " + std::to_wstring(ProfileInt(key.raw)));
          break;
        }
        const long long number = ProfileInt(key.raw);
        if (!row.allowed.empty() && std::find(row.allowed.begin(), row.allowed.end(), number) == row.allowed.end())
          Add(file, key.line, row.otherwise.empty() ? Severity::Error : Severity::Warning,
              Quoted(key.name) + L"=" + std::to_wstring(number) + L" in [" + section.name + L"] is none of " +
                  AllowedValuesText(row.allowed) + (row.otherwise.empty() ? L"" : L": " + std::wstring(row.otherwise)));
        break;
      }
      case ValueKind::ExistingFile:
      case ValueKind::RegistryFile:
        if (read && !value.empty() && IsBelowProgramDirectory(value) &&
            ExpectPath(file, key.line, value, PathKind::File, L"file") && row.kind == ValueKind::RegistryFile)
          CheckRegistryFile(value);
        break;
      case ValueKind::StepName:
        CheckStepName(file, key.line, key.name, value);
        break;
      case ValueKind::StepList:
        if (!value.empty())
          for (const std::wstring& name : SplitStepList(value)) CheckStepName(file, key.line, key.name, name);
        break;
      case ValueKind::OsCode:
        if (!AllDigits(key.raw) || ProfileInt(key.raw) > 7)
          Add(file, key.line, Severity::Error,
              Quoted(key.raw) + L" is no OS code: \"SkipOS\" takes one of 1 to 7 (0: never skipped)");
        break;
      case ValueKind::OsList:
        CheckOsList(file, key.line, value);
        break;
      case ValueKind::Destination:
        CheckDestination(file, key.line, key.name, value);
        break;
      case ValueKind::ProgramFile:
        if (value.empty())
          Add(file, key.line, Severity::Warning, Quoted(key.name) + L" is empty: the entry starts nothing");
        else
          ExpectPath(file, key.line, value, PathKind::File, L"program");
        break;
      case ValueKind::DisplayPart:
        if (!ParseDisplayRequest({value, L"", L"", L""}).error.empty())
          Add(file, key.line, Severity::Error,
              Quoted(key.name + L"=" + value) + L" is not a number of 0 or more: the \"Display\" step fails and changes nothing");
        break;
      case ValueKind::Text:
      case ValueKind::PackageId:  // the step's judgement says it
        break;
    }
  }

  void CheckStepName(const FileUnderCheck& file, int line, std::wstring_view key, std::wstring_view name) {
    if (name.empty()) {
      Add(file, line, Severity::Error, L"an empty step name in " + Quoted(key) + L": nothing runs there");
      return;
    }
    const StepInfo* step = FindStep(name);
    if (!step) {
      const std::vector<std::wstring_view> names = StepNames();
      Add(file, line, Severity::Error,
          L"unknown step " + Quoted(name) + L" (step names are case-sensitive)" + DidYouMean(ClosestName(name, names), L"\"", L"\""));
    } else if (step->id == StepId::GameComponent) {
      Add(file, line, Severity::Warning,
          L"\"GameComponent\" ends the run without starting the game unless ComponentMgr.dll beside Vorlan.exe takes the game over");
    }
  }

  void CheckOsList(const FileUnderCheck& file, int line, std::wstring_view value) {
    if (value.empty()) return;
    for (std::wstring entry : SplitStepList(value)) {
      const std::size_t first = entry.find_first_not_of(L" \t");
      entry = first == std::wstring::npos ? std::wstring() : entry.substr(first);
      if (entry.empty()) {
        Add(file, line, Severity::Warning, L"an empty entry in \"OsCfg\" reads as 0: the game runs on every system");
      } else if (!AllDigits(entry) || ProfileInt(entry) > 8) {
        Add(file, line, Severity::Error, Quoted(entry) + L" in \"OsCfg\" is no OS code (1 to 7, and 8 for 64-bit 7)");
      } else if (ProfileInt(entry) == 0) {
        Add(file, line, Severity::Warning, L"entry 0 in \"OsCfg\" lets the game run on every system");
      }
    }
  }

  void CheckDestination(const FileUnderCheck& file, int line, std::wstring_view key, std::wstring_view value) {
    if (value.empty()) {
      Add(file, line, Severity::Warning, Quoted(key) + L" is empty: the entry is skipped");
      return;
    }
    if (std::optional<MacroPrefixedPath> macro = SplitMacroPrefixedPath(value)) {
      if (!FindMacro(macro->token)) {
        const std::vector<std::wstring_view> names = MacroNames();
        const MacroRow* same = MacroOfWindowsName(macro->token);
        Add(file, line, Severity::Error,
            L"unknown folder macro " + macro->token +
                DidYouMean(same ? std::wstring(same->token) : ClosestName(macro->token, names)));
      }
      return;
    }
    const bool drive = value.size() >= 3 && value[1] == L':' && value[2] == L'\\';
    const bool unc = value.starts_with(L"\\\\");
    if (!drive && !unc)
      Add(file, line, Severity::Warning,
          Quoted(key) + L" is neither absolute nor a folder macro: give a drive (C:\\...) or a macro ($CSIDL_APPDATA$\\...)");
  }

  bool ExpectPath(const FileUnderCheck& file, int line, const std::wstring& relative, PathKind kind, std::wstring_view what) {
    const PathKind found = folder_.Probe(relative);
    if (found == kind) return true;
    const std::wstring expected = kind == PathKind::File ? L"file" : L"folder";
    std::wstring message = std::wstring(what) + L" " + Quoted(relative);
    message += found == PathKind::Missing ? L" does not exist below the program directory"
                                          : L" is not a " + expected;
    Add(file, line, Severity::Error, std::move(message));
    return false;
  }

  // Counting keys against the numbered sections or keys present.
  void CheckCounters(const FileUnderCheck& file) {
    for (const SectionRow& row : SectionTable()) {
      if (row.file != file.kind || row.countKey.empty()) continue;
      if (row.form == SectionForm::Plain) {
        CheckCounter(file, row, std::wstring(row.name));
      } else {
        for (const IniSection& section : file.ini.sections) {
          const RowMatch match = MatchRow(file.kind, section.name);
          if (match.row == &row && file.ini.Find(section.name) == &section) CheckCounter(file, row, section.name);
        }
      }
    }
  }

  int CountOf(const FileUnderCheck& file, const SectionRow& row, const std::wstring& section) {
    int count = Int(file, section, row.countKey, row.countDefault);
    if (row.countCap > 0 && count > row.countCap) {
      Add(file, LineOf(file, section, row.countKey), Severity::Warning,
          Quoted(row.countKey) + L"=" + std::to_wstring(count) + L" is more than " + std::to_wstring(row.countCap) +
              L": only the first " + std::to_wstring(row.countCap) + L" are read");
      count = row.countCap;
    }
    return std::max(count, 0);
  }

  void CheckCounter(const FileUnderCheck& file, const SectionRow& row, const std::wstring& section) {
    const IniSection* counting = file.ini.Find(section);
    if (!row.countsSections.empty()) {
      const SectionRow* entries = EntryRow(file.kind, row.countsSections);
      if (!entries) return;
      std::map<int, int> present;  // index -> line
      for (const IniSection& s : file.ini.sections) {
        const RowMatch match = MatchRow(file.kind, s.name);
        if (match.row == entries) present.emplace(match.index, s.line);
      }
      if (!counting) {
        if (!present.empty())
          Add(file, present.begin()->second, Severity::Warning,
              L"[" + EntryName(*entries, present.begin()->first) + L"] is not read: [" + section + L"] with " +
                  Quoted(row.countKey) + L" is missing");
        return;
      }
      const int count = CountOf(file, row, section);
      ReportCount(file, LineOf(file, section, row.countKey), section, row, count, present,
                  [&](int i) { return L"[" + EntryName(*entries, i) + L"]"; });
    } else if (counting) {
      std::map<int, int> present;
      for (const IniKey& key : counting->keys)
        if (std::optional<int> index = IndexAfter(key.name, row.countsKeys)) present.emplace(*index, key.line);
      const int count = CountOf(file, row, section);
      ReportCount(file, LineOf(file, section, row.countKey), section, row, count, present,
                  [&](int i) { return Quoted(std::wstring(row.countsKeys) + std::to_wstring(i)); });
      // Other numbered keys of the section beyond the count.
      for (const IniKey& key : counting->keys) {
        for (const KeyRow& k : row.keys) {
          if (!k.name.ends_with(L'#') || k.name.substr(0, k.name.size() - 1) == row.countsKeys) continue;
          const std::optional<int> index = IndexAfter(key.name, k.name.substr(0, k.name.size() - 1));
          if (index && *index >= count)
            Add(file, key.line, Severity::Warning,
                Quoted(key.name) + L" is not read: " + Quoted(row.countKey) + L" of [" + section + L"] is " +
                    std::to_wstring(count));
        }
      }
    }
  }

  template <typename NameOf>
  void ReportCount(const FileUnderCheck& file, int countLine, const std::wstring& section, const SectionRow& row, int count,
                   const std::map<int, int>& present, NameOf nameOf) {
    const long long inRange = std::count_if(present.begin(), present.end(), [&](const auto& p) { return p.first < count; });
    const long long missing = count - inRange;
    if (missing > 0) {
      std::wstring names;
      int listed = 0;
      for (int i = 0; i < count && listed < 3; ++i)
        if (!present.count(i)) names += (listed++ ? L", " : L"") + nameOf(i);
      if (missing > listed) names += L", ...";
      Add(file, countLine, Severity::Error,
          Quoted(row.countKey) + L"=" + std::to_wstring(count) + L" in [" + section + L"], but " +
              std::to_wstring(missing) + (missing == 1 ? L" is" : L" are") + L" missing: " + names);
    }
    for (const auto& [index, line] : present)
      if (index >= count)
        Add(file, line, Severity::Warning,
            nameOf(index) + L" is not read: " + Quoted(row.countKey) + L" of [" + section + L"] is " + std::to_wstring(count));
  }

  // The steps a run lists, and the sections they read.
  void CheckSteps(const FileUnderCheck& file) {
    std::map<std::wstring, int> listed;  // step name -> first line
    bool fullRunStartsGame = false;
    const int processes = Int(file, L"ProcessMgr", L"Argc", 0);
    if (processes <= 0)
      Add(file, LineOf(file, L"ProcessMgr", L"Argc"), Severity::Error,
          L"[ProcessMgr] \"Argc\" is 0 or missing: a full run runs no step and does not start the game");
    for (int n = 0; n < std::min(processes, 64); ++n) {
      const std::wstring section = L"ProcessMgr_" + std::to_wstring(n);
      const IniSection* s = file.ini.Find(section);
      if (!s) continue;
      const int steps = std::clamp(Int(file, section, L"Argc", 0), 0, 64);
      for (int i = 0; i < steps; ++i) {
        const std::wstring key = L"Argument_" + std::to_wstring(i);
        const IniKey* k = s->Find(key);
        if (!k) continue;
        const std::wstring name = Value(file, section, key);
        listed.emplace(name, k->line);
        // "AppLoc" starts the game itself.
        if (name == L"Main" || name == L"AppLoc") fullRunStartsGame = true;
      }
    }
    if (processes > 0 && !fullRunStartsGame)
      Add(file, LineOf(file, L"ProcessMgr", L"Argc"), Severity::Warning,
          L"no sub-process lists \"Main\": the first run of the day does not start the game");
    const std::wstring exclude = Value(file, L"Control", L"Exclude");
    if (!exclude.empty()) {
      const std::vector<std::wstring> names = SplitStepList(exclude);
      for (const std::wstring& name : names) listed.emplace(name, LineOf(file, L"Control", L"Exclude"));
      if (std::find(names.begin(), names.end(), L"Main") == names.end() &&
          std::find(names.begin(), names.end(), L"AppLoc") == names.end())
        Add(file, LineOf(file, L"Control", L"Exclude"), Severity::Warning,
            L"\"Exclude\" does not list \"Main\": later runs of the day do not start the game");
    }

    for (const auto& [name, line] : listed) {
      std::wstring missing;
      bool anyPresent = false;
      for (const SectionRow& row : SectionTable()) {
        if (row.file != file.kind || row.form != SectionForm::Plain || row.step != name) continue;
        if (file.ini.Find(row.name)) anyPresent = true;
        missing += (missing.empty() ? L"[" : L" and [") + std::wstring(row.name) + L"]";
      }
      if (!missing.empty() && !anyPresent)
        Add(file, line, Severity::Warning, L"step " + Quoted(name) + L" is listed, but " + missing + L" is missing: it does nothing");
      if (name == L"Component") componentListed_ = line;
    }
    for (const SectionRow& row : SectionTable()) {
      if (row.file != file.kind || row.form != SectionForm::Plain || row.step.empty()) continue;
      const IniSection* s = file.ini.Find(row.name);
      if (s && !listed.count(std::wstring(row.step)))
        Add(file, s->line, Severity::Warning,
            L"[" + s->name + L"] is read only by the step " + Quoted(row.step) +
                L", which no sub-process and not [Control] \"Exclude\" lists");
    }
    mainListed_ = listed.count(L"Main") != 0;
  }

  void CheckMain(const FileUnderCheck& file) {
    if (!mainListed_) return;
    const int redirection = Int(file, L"Main", L"IsCloseRedirection", 0);
    const int runOption = Int(file, L"Main", L"RunOption", 0);
    // The keys of 32-bit Windows, and those of 64-bit Windows when they differ.
    std::vector<GameExeKeys> sets{ChooseGameExeKeys(redirection, false)};
    if (ChooseGameExeKeys(redirection, true).program != sets.front().program) sets.push_back(ChooseGameExeKeys(redirection, true));
    for (const GameExeKeys& keys : sets) {
      const GameExeSettings settings{Value(file, L"Main", keys.program), Value(file, L"Main", keys.directory),
                                     Value(file, L"Main", keys.arguments)};
      const int line = LineOf(file, L"Main", keys.program);
      if (settings.program.empty()) {
        Add(file, line, Severity::Error, L"[Main] " + Quoted(keys.program) + L" is empty: \"Main\" starts no game");
        continue;
      }
      if (runOption != 3) ExpectPath(file, line, FullGamePath(L"", settings), PathKind::File, L"game program");
    }
  }

  // Sources and programs of the entries that are read.
  void CheckEntries(const FileUnderCheck& file) {
    const auto eachEntry = [&](std::wstring_view base, auto check) {
      const SectionRow* entries = EntryRow(file.kind, base);
      const int count = std::clamp(Int(file, base, L"Num", 0), 0, 100000);
      for (const IniSection& s : file.ini.sections) {
        const RowMatch match = MatchRow(file.kind, s.name);
        if (match.row == entries && match.index < count && file.ini.Find(s.name) == &s) check(s);
      }
    };
    eachEntry(L"Copy", [&](const IniSection& s) {
      const std::wstring src = Value(file, s.name, L"Src");
      if (src.empty()) {
        Add(file, s.line, Severity::Warning, L"[" + s.name + L"] has no \"Src\": the entry is skipped");
        return;
      }
      ExpectPath(file, LineOf(file, s.name, L"Src"), src,
                 Int(file, s.name, L"IsFile", 0) != 0 ? PathKind::File : PathKind::Folder, L"source");
    });
    for (std::wstring_view base : {std::wstring_view(L"Junction"), std::wstring_view(L"JunctionOption")}) {
      eachEntry(base, [&](const IniSection& s) {
        const int option = Int(file, s.name, L"Option", 0);
        if (option == 5 && base == L"JunctionOption") {
          const std::wstring run = Value(file, s.name, L"RunName");
          if (run.empty())
            Add(file, s.line, Severity::Error, L"[" + s.name + L"] with \"Option\"=5 has no \"RunName\"");
          else
            ExpectPath(file, LineOf(file, s.name, L"RunName"), run, PathKind::File, L"program");
          return;
        }
        const std::wstring src = Value(file, s.name, L"Src");
        if (src.empty())
          Add(file, s.line, Severity::Warning, L"[" + s.name + L"] has no \"Src\": the entry is skipped");
        else
          ExpectPath(file, LineOf(file, s.name, L"Src"), src, PathKind::Folder, L"source folder");
      });
    }
    eachEntry(L"RegDll", [&](const IniSection& s) {
      if (!s.Find(L"TimeOut")) return;
      const int configured = Int(file, s.name, L"TimeOut", kRegSvrDefaultTimeOut);
      const int used = RegSvrTimeOutSeconds(configured);
      if (used != configured)
        Add(file, LineOf(file, s.name, L"TimeOut"), Severity::Warning,
            L"\"TimeOut\"=" + std::to_wstring(configured) + L" in [" + s.name + L"] is not 1 to " +
                std::to_wstring(kRegSvrLongestTimeOut) + L": regsvr32 is waited for " + std::to_wstring(used) + L" s");
    });
    eachEntry(L"Compatible", [&](const IniSection& s) {
      if (const std::optional<std::wstring> layer = CompatLayerWithSeparator(Value(file, s.name, L"Layers")))
        Add(file, LineOf(file, s.name, L"Layers"), Severity::Error,
            L"\"Layers\" of [" + s.name + L"] holds " + Quoted(*layer) +
                L": the \"Compatible\" step writes it as one layer (layers are separated by blanks)");
    });
    if (file.ini.Find(L"RunOnce") && Value(file, L"RunOnce", L"Exe").empty())
      Add(file, file.ini.Find(L"RunOnce")->line, Severity::Warning, L"[RunOnce] has no \"Exe\": the step does nothing");
  }

  // A value that names a file below the program directory (not a macro
  // path, not absolute): the checker can look for it.
  static bool IsBelowProgramDirectory(std::wstring_view value) {
    if (SplitMacroPrefixedPath(value)) return false;
    const bool drive = value.size() >= 2 && value[1] == L':';
    return !drive && !value.starts_with(L"\\");
  }

  // A registry file that "ImportReg" names, read as the step reads it: a
  // .reg file by the step's own parser, a package registry file by the
  // registry script engine's own check. Each is reported once.
  void CheckRegistryFile(const std::wstring& relative) {
    if (!registryFilesSeen_.insert(FoldCase(relative)).second) return;
    const FileUnderCheck where{OptionFile::Launcher, relative, {}};
    std::optional<std::string> bytes = folder_.ReadBytes(relative, kMaxOptionFileBytes);
    if (!bytes) {
      Add(where, 0, Severity::Error, L"cannot be read: the \"ImportReg\" step fails it");
      return;
    }
    if (bytes->size() > kMaxOptionFileBytes) {
      Add(where, 0, Severity::Warning, L"larger than 16 MB: not a registry file an option file should name, not checked");
      return;
    }
    std::vector<std::uint8_t> raw(bytes->begin(), bytes->end());
    if (ImportKindOf(relative) == RegImportKind::PackageRegistryFile) {
      const wchar_t* reason = nullptr;
      CPkgReg script;
      switch (raw.empty() ? PkgRegLoadStatus::TooShort : script.LoadFromBuffer(raw)) {
        case PkgRegLoadStatus::Loaded: return;
        case PkgRegLoadStatus::TooShort: reason = L"shorter than its 4-byte checksum"; break;
        case PkgRegLoadStatus::TooLarge: reason = L"larger than a registry script file can be"; break;
        case PkgRegLoadStatus::ChecksumMismatch: reason = L"its last 4 bytes are not the CRC-32 of the others (damaged or cut short)"; break;
        case PkgRegLoadStatus::BadBody: reason = L"its count and entries do not fit its bytes"; break;
      }
      Add(where, 0, Severity::Error, L"the registry script engine refuses the whole file: " + std::wstring(reason));
      return;
    }
    const vorlan::AnsiDecoder decode = [this](std::string_view ansi) -> std::optional<std::wstring> {
      if (std::optional<std::wstring> text = folder_.DecodeAnsi(ansi)) return text;
      return std::wstring(ansi.begin(), ansi.end());
    };
    const RegFileResult parsed = ParseRegFile(raw, decode, L"C:\\Game");
    if (parsed.error)
      Add(where, static_cast<int>(parsed.error->line), Severity::Error,
          L"the \"ImportReg\" step refuses the whole file: " +
              std::wstring(parsed.error->reason.begin(), parsed.error->reason.end()));
  }

  // VorlanAssoc.ini, read by the step "Assoc".
  void CheckAssocFile() {
    FileUnderCheck* file = Load(std::wstring(kAssocFile), OptionFile::Assoc, false);
    if (!file) return;
    CheckGeneric(*file);
    CheckCounters(*file);
    CheckRepeatedPackages(*file);
  }

  // The entries the "Assoc" step reads, in index order, through the step's
  // own list: an id an earlier entry named is left out.
  void CheckRepeatedPackages(const FileUnderCheck& file) {
    const SectionRow* entries = EntryRow(file.kind, L"Assoc");
    std::map<int, const IniSection*> read;
    for (const IniSection& s : file.ini.sections) {
      const RowMatch match = MatchRow(file.kind, s.name);
      if (match.row == entries && IsRead(file, *entries, match.index) && file.ini.Find(s.name) == &s)
        read.emplace(match.index, &s);
    }
    AssocPackageList list;
    for (const auto& [index, s] : read) {
      const PackageEntry entry = list.Add(index, Value(file, s->name, L"PkgId"));
      if (entry.verdict != PackageEntryVerdict::Repeated) continue;
      Add(file, LineOf(file, s->name, L"PkgId"), Severity::Warning,
          L"\"PkgId\"=" + std::to_wstring(entry.id) + L" in [" + s->name + L"] repeats [" +
              read.at(entry.firstIndex)->name + L"]: the \"Assoc\" step leaves the entry out");
    }
  }

  void CheckSelectFile(const FileUnderCheck& cfg) {
    const std::wstring path = Value(cfg, L"SelectPreLoadProcess", L"IniFilePath");
    if (path.empty()) return;
    FileUnderCheck* select = Load(path, OptionFile::Select, false);
    if (!select) {
      if (folder_.Probe(path) == PathKind::Missing)
        Add(cfg, LineOf(cfg, L"SelectPreLoadProcess", L"IniFilePath"), Severity::Error,
            L"the select file " + Quoted(path) + L" does not exist below the program directory");
      return;
    }
    CheckGeneric(*select);
    CheckCounters(*select);
  }

  void CheckComponentFile(const FileUnderCheck& cfg) {
    FileUnderCheck* file = Load(std::wstring(kComponentFile), OptionFile::Component, false);
    if (!file) {
      if (componentListed_ > 0 && folder_.Probe(std::wstring(kComponentFile)) == PathKind::Missing)
        Add(cfg, componentListed_, Severity::Error,
            L"step \"Component\" is listed, but there is no VorlanComponent.ini: it installs nothing");
      return;
    }
    CheckGeneric(*file);
    CheckCounters(*file);
    const std::wstring language = Value(*file, L"Public", L"Language");
    if (language.empty())
      Add(*file, LineOf(*file, L"Public", L"Language"), Severity::Warning,
          L"[Public] \"Language\" is empty: the catalogue is empty and the step installs nothing");
    else if (!file->ini.Find(language))
      Add(*file, LineOf(*file, L"Public", L"Language"), Severity::Error,
          L"the language section [" + language + L"] is missing");
    std::vector<std::wstring> lists{L"Argument"};
    if (Int(*file, L"ArgumentMgr", L"IsEnable64", 0) == 1) lists.emplace_back(L"Argument64");
    std::set<std::wstring> done;
    for (const std::wstring& list : lists) {
      const int count = std::clamp(Int(*file, list, L"Argc", 1), 0, 1000);
      for (int i = 0; i < count; ++i) {
        const std::wstring key = L"Argument_" + std::to_wstring(i);
        const std::wstring name = Value(*file, list, key);
        if (name.empty() || !done.insert(FoldCase(name)).second) continue;
        CheckComponent(*file, name, LineOf(*file, list, key));
      }
    }
  }

  void CheckComponent(const FileUnderCheck& file, const std::wstring& name, int line) {
    const IniSection* section = file.ini.Find(name);
    if (!section) {
      Add(file, line, Severity::Error, L"the component section [" + name + L"] is missing");
      return;
    }
    CheckKeys(file, *section, ComponentKeys());
    const std::wstring type = Value(file, name, L"type");
    if (!type.empty() && type != L"regread" && type != L"filefind") {
      const std::wstring_view known[] = {L"regread", L"filefind"};
      Add(file, LineOf(file, name, L"type"), Severity::Error,
          L"\"type\"=" + type + L" is neither \"regread\" nor \"filefind\" (lower case): the component is never checked" +
              DidYouMean(ClosestName(type, known), L"\"", L"\""));
    }
    CheckInstaller(file, name);
    const std::wstring win7 = name + L"Win7";
    if (const IniSection* s = file.ini.Find(win7)) {
      CheckKeys(file, *s, ComponentWin7Keys());
      CheckInstaller(file, win7);
    }
  }

  void CheckInstaller(const FileUnderCheck& file, const std::wstring& section) {
    const std::wstring exe = Value(file, section, L"exe");
    if (exe.empty()) return;
    const std::wstring local = Value(file, section, L"local");
    ExpectPath(file, LineOf(file, section, L"exe"), local.empty() ? exe : PathJoin(local, exe), PathKind::File, L"installer");
  }

  const FolderAccess& folder_;
  std::vector<Finding> findings_;
  std::vector<std::unique_ptr<FileUnderCheck>> files_;
  std::deque<std::wstring> candidateStore_;  // names suggested, kept while in use
  std::set<std::wstring> registryFilesSeen_;
  int componentListed_ = 0;
  bool mainListed_ = false;
};

}  // namespace

std::vector<Finding> CheckGameFolder(const FolderAccess& folder) { return Checker(folder).Run(); }

}  // namespace vorlan::check
