// The operators' reference and the table of what the launcher reads say the
// same: every key of the tables of docs/option-file.md (sections 3, 4 and 5)
// is a row of the table with the documented type, and every row is
// documented. Operators write option files from the reference alone.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "steps/pipeline/core/option_keys.h"

namespace vorlan {
namespace {

// "IsShow" in "[Main]": the section as the reference writes it ("Copy<n>",
// "ProcessMgr_<n>", "<component>") and the key ("Url_<i>").
using DocumentedKey = std::pair<std::string, std::string>;

std::string Trim(std::string text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line.substr(1));
  for (std::string cell; std::getline(in, cell, '|');) cells.push_back(Trim(cell));
  if (!cells.empty() && cells.back().empty()) cells.pop_back();
  return cells;
}

// The names in brackets ("[Junction] and [JunctionOption]" gives both).
std::vector<std::string> Bracketed(const std::string& text) {
  std::vector<std::string> names;
  for (std::size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
    const std::size_t close = text.find(']', open);
    if (close == std::string::npos) break;
    names.push_back(text.substr(open + 1, close - open - 1));
  }
  return names;
}

std::string Unquoted(std::string text) {
  if (text.size() >= 2 && text.front() == '`' && text.back() == '`') return text.substr(1, text.size() - 2);
  return text;
}

// Every key of the key tables of sections 3 to 5, with its documented type.
std::map<DocumentedKey, std::string> ReadReference(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::map<DocumentedKey, std::string> keys;
  bool inScope = false, inCode = false;
  std::vector<std::string> context;  // the sections the next table is about
  int keyColumn = -1, sectionColumn = -1;
  std::vector<std::string> lastSections;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("```")) inCode = !inCode;
    if (inCode) continue;
    if (line.starts_with("## ")) inScope = line.starts_with("## 3 ") || line.starts_with("## 4 ") || line.starts_with("## 5 ");
    if (!inScope) continue;
    if (!line.starts_with("|")) {
      keyColumn = -1;
      // A heading or a line that introduces a table: "[Copy<n>]:",
      // "Section [<component>], named as in the list:".
      const bool heading = line.starts_with("### ");
      if (heading || line.starts_with("[") || line.starts_with("`[") || line.starts_with("Section [")) {
        const std::string head = line.substr(0, line.find_first_of(":(", heading ? 4 : 0));
        const std::vector<std::string> names = Bracketed(head);
        if (!names.empty() || heading) context = names;
      }
      continue;
    }
    const std::vector<std::string> cells = Cells(line);
    if (keyColumn < 0) {
      // A header: "| Key | Type |", "| Section | Key | Type |" or
      // "| Key of [AssocGamePathSet] | Type |".
      for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] == "Section") sectionColumn = static_cast<int>(i);
        if (cells[i].starts_with("Key")) {
          keyColumn = static_cast<int>(i);
          if (cells[i] != "Key") context = Bracketed(cells[i]);
        }
      }
      if (keyColumn < 0 || keyColumn + 1 >= static_cast<int>(cells.size()) || cells[keyColumn + 1] != "Type")
        keyColumn = -1;
      else if (cells[0] != "Section")
        sectionColumn = -1;
      continue;
    }
    if (line.starts_with("|---") || static_cast<int>(cells.size()) <= keyColumn + 1) continue;
    std::vector<std::string> sections = context;
    if (sectionColumn >= 0)
      sections = cells[sectionColumn] == "same" ? lastSections : Bracketed(cells[sectionColumn]);
    lastSections = sections;
    const std::string key = Unquoted(cells[keyColumn]);
    const std::string type = cells[keyColumn + 1].substr(0, cells[keyColumn + 1].find(':'));
    for (std::string section : sections) {
      // Entries are numbered "<n>" in some tables and "<i>" in others.
      if (section.ends_with("<i>")) section.replace(section.size() - 3, 3, "<n>");
      keys[{section, key}] = type;
    }
  }
  return keys;
}

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

// The reference's way of writing a row's section and key.
std::string SectionAsDocumented(const SectionRow& row) {
  switch (row.form) {
    case SectionForm::Plain: return Narrow(row.name);
    case SectionForm::Entry: return Narrow(row.name) + "<n>";
    case SectionForm::EntryUnderscore: return Narrow(row.name) + "_<n>";
  }
  return {};
}

std::string KeyAsDocumented(std::wstring_view name) {
  return name.ends_with(L'#') ? Narrow(name.substr(0, name.size() - 1)) + "<i>" : Narrow(name);
}

std::string TypeOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::Integer:
    case ValueKind::OsCode:
    case ValueKind::DisplayPart:
    case ValueKind::PackageId:
      return "integer";
    default:
      return "string";
  }
}

std::map<DocumentedKey, std::string> ReadTable() {
  std::map<DocumentedKey, std::string> keys;
  const auto add = [&](const std::string& section, std::span<const KeyRow> rows) {
    for (const KeyRow& key : rows) keys[{section, KeyAsDocumented(key.name)}] = TypeOf(key.kind);
  };
  for (const SectionRow& row : SectionTable()) add(SectionAsDocumented(row), row.keys);
  add("<component>", ComponentKeys());
  add("<component>Win7", ComponentWin7Keys());
  return keys;
}

// Sections and keys named by values of the file: the language section and
// the install marks, one key per component.
bool NamedByValues(const DocumentedKey& key) { return key.first == "<Language>" || key.second.starts_with("<"); }

TEST(OptionReference, EveryDocumentedKeyIsReadWithItsTypeAndEveryKeyReadIsDocumented) {
  const std::map<DocumentedKey, std::string> documented = ReadReference(OPTION_REFERENCE);
  const std::map<DocumentedKey, std::string> table = ReadTable();
  ASSERT_GT(documented.size(), 100u) << "the reference's tables were not found";
  std::set<std::string> faults;
  for (const auto& [key, type] : documented) {
    if (NamedByValues(key)) continue;
    const auto found = table.find(key);
    if (found == table.end())
      faults.insert("documented, not in the table: [" + key.first + "] " + key.second);
    else if (found->second != type)
      faults.insert("[" + key.first + "] " + key.second + ": documented " + type + ", the table says " + found->second);
  }
  for (const auto& [key, type] : table)
    if (!documented.count(key)) faults.insert("in the table, not documented: [" + key.first + "] " + key.second);
  std::string all;
  for (const std::string& fault : faults) all += fault + "\n";
  EXPECT_TRUE(faults.empty()) << all;
}

}  // namespace
}  // namespace vorlan
