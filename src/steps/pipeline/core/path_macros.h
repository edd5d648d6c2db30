#pragma once
// Folder macros of the option file: a destination may begin with a token
// such as "$CSIDL_APPDATA$" instead of a drive letter, so that one option
// file serves every client PC whatever its Windows version, language and
// user. This file holds the token table and the rules that do not need
// Windows; steps/pipeline/win/translate_path.h resolves a token on the running PC.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorlan {

struct MacroRow {
  std::wstring_view token;  // "$CSIDL_APPDATA$"
  int csidl;                // the shell folder identifier it names
};

// The 39 tokens, in the order they are searched.
std::span<const MacroRow> MacroTable();

// The first row whose token equals `token` ignoring case (the whole token,
// not a prefix), or null.
const MacroRow* FindMacro(std::wstring_view token);

// The macro of the folder that Windows names otherwise in its own CSIDL
// list ("$CSIDL_PERSONAL$" is the documents folder, $CSIDL_MYDOCUMENTS$),
// for a token that is not a macro; null when Windows knows no such name.
const MacroRow* MacroOfWindowsName(std::wstring_view token);

// How a row is resolved from an environment string, when it is. Rows that
// this does not describe are resolved by the shell folder-path call alone.
struct MacroExpansion {
  // Environment string to expand ("%appdata%"); empty: no expansion is
  // attempted on this Windows and the row counts as not expanded.
  std::wstring_view variable;
  // Joined onto the expansion ("System32", "Application Data", "Common Files").
  std::wstring_view joinTail;
  // Name in the log line "CVorlanDlg::TranslatePath. <name> --> <folder>, ErrorCode <n>".
  std::wstring_view logName;
  // Rows of the Program Files folders: the caller's folder itself receives
  // the expansion (and the joined tail), whether or not it succeeded.
  bool intoFolder = false;
};

// `osCode` is the Windows generation code (1..7); `use64BitProgramFiles`
// asks for the native Program Files folders (it matters to two rows only).
std::optional<MacroExpansion> ExpansionFor(int csidl, int osCode, bool use64BitProgramFiles);

// Characters of the buffers that expansion and shell calls write into,
// terminator included.
inline constexpr unsigned kFolderBufferChars = 260;

// Whether an expansion call resolved `variable`: it returned a count (the
// terminator included) that fits the folder buffer, and the result is not
// the variable itself left unexpanded (the variable does not exist on this
// PC).
bool ExpansionSucceeded(std::wstring_view variable, std::wstring_view result, unsigned long returnedCount);

// A value of the form "$TOKEN$tail": the token (both dollar signs included)
// and the tail after it.
struct MacroPrefixedPath {
  std::wstring token;
  std::wstring tail;
};

// The value qualifies when it begins with "$", is at least two characters
// long and holds a second "$" after the first character.
std::optional<MacroPrefixedPath> SplitMacroPrefixedPath(std::wstring_view value);

// The macro-prefixed path rule: a qualifying value becomes the path join of
// the folder its token resolves to and its tail (an unknown token resolves
// to nothing and leaves the tail alone); any other value is returned as it
// stands.
std::wstring ApplyMacroPrefix(std::wstring_view value, const std::function<std::wstring(const std::wstring& token)>& resolve);

}  // namespace vorlan
