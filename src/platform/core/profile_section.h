#pragma once
// One section of an INI file as the system's private-profile calls list it
// (one "key=value" or bare "key" string per line of the section), and
// lookups in it that give exactly what a single-value read of the system
// would give, or say that only the system can tell. Reading a section once
// and looking its keys up here spares one file read per key.
//
// Where the system's rules are not known to the letter for every input, the
// answer is AskSystem: a value that begins with a quote (the system drops
// one pair of matching outer quotes, with its own rules for a value longer
// than the buffer), a key or value with unusual whitespace at either end, a
// key outside printable ASCII before the match (the system folds case over
// all of Unicode, we over ASCII only).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan::profile {

struct Entry {
  std::wstring key;    // trimmed of spaces and tabs
  std::wstring value;  // trimmed of spaces and tabs; empty for a bare key
  bool unusualEnds = false;  // key or value has other whitespace or control characters at an end
};

// The strings of a section listing: `list` holds them one after another,
// each ended by a null character.
std::vector<Entry> ParseSectionList(std::wstring_view list);

enum class Answer { Found, Missing, AskSystem };

// What a single-value read of `key` (trimmed, letters compared without case)
// gives: the first matching entry's value. A key that begins with ";" is
// the system's to find: its section listings leave such lines out.
Answer FindValue(const std::vector<Entry>& entries, std::wstring_view key, std::wstring& value);

// Whether a section is in the file, from the system's list of section names
// (the strings of `names`, as for ParseSectionList). AskSystem when a name
// might match under rules we do not follow.
Answer FindSection(std::wstring_view names, std::wstring_view section);

// `name` without the spaces and tabs at its ends: the single-value calls
// trim the section name they are given, the section listing call does not.
std::wstring_view TrimBlanks(std::wstring_view name);

// An integer every reader takes the same way: 1 to 9 decimal digits.
std::optional<int> PlainDecimal(std::wstring_view value);

}  // namespace vorlan::profile
