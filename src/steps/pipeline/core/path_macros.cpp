#include "steps/pipeline/core/path_macros.h"

#include "platform/core/path_join.h"

namespace vorlan {
namespace {

constexpr MacroRow kMacros[] = {
    {L"$CSIDL_APPDATA$", 26},
    {L"$CSIDL_LOCAL_APPDATA$", 28},
    {L"$CSIDL_COMMON_APPDATA$", 35},
    {L"$CSIDL_WINDOWS$", 36},
    {L"$CSIDL_SYSTEM$", 37},
    {L"$CSIDL_PROGRAM_FILES$", 38},
    {L"$CSIDL_PROFILE$", 40},
    {L"$CSIDL_SYSTEMX86$", 41},
    {L"$CSIDL_PROGRAM_FILESX86$", 42},
    {L"$CSIDL_PROGRAM_FILES_COMMON$", 43},
    {L"$CSIDL_PROGRAM_FILES_COMMONX86$", 44},
    {L"$CSIDL_MYDOCUMENTS$", 5},
    {L"$CSIDL_MYMUSIC$", 13},
    {L"$CSIDL_MYVIDEO$", 14},
    {L"$CSIDL_MYPICTURES$", 39},
    {L"$CSIDL_COMMON_MUSIC$", 53},
    {L"$CSIDL_COMMON_PICTURES$", 54},
    {L"$CSIDL_COMMON_VIDEO$", 55},
    {L"$CSIDL_PROGRAMS$", 2},
    {L"$CSIDL_FAVORITES$", 6},
    {L"$CSIDL_STARTUP$", 7},
    {L"$CSIDL_SENDTO$", 9},
    {L"$CSIDL_STARTMENU$", 11},
    {L"$CSIDL_DESKTOPDIRECTORY$", 16},
    {L"$CSIDL_NETHOOD$", 19},
    {L"$CSIDL_FONTS$", 20},
    {L"$CSIDL_TEMPLATES$", 21},
    {L"$CSIDL_COMMON_STARTMENU$", 22},
    {L"$CSIDL_COMMON_PROGRAMS$", 23},
    {L"$CSIDL_COMMON_STARTUP$", 24},
    {L"$CSIDL_COMMON_DESKTOPDIRECTORY$", 25},
    {L"$CSIDL_PRINTHOOD$", 27},
    {L"$CSIDL_COOKIES$", 33},
    {L"$CSIDL_COMMON_TEMPLATES$", 45},
    {L"$CSIDL_COMMON_DOCUMENTS$", 46},
    {L"$CSIDL_COMMON_ADMINTOOLS$", 47},
    {L"$CSIDL_ADMINTOOLS$", 48},
    {L"$CSIDL_RESOURCES$", 56},
    {L"$CSIDL_RESOURCES_LOCALIZED$", 57},
};

// Windows' other names of folders that are macros here: token, CSIDL.
constexpr MacroRow kWindowsNames[] = {
    {L"$CSIDL_PERSONAL$", 5},
};

// Windows generation codes from Vista on.
constexpr int kFirstVistaCode = 5;

constexpr wchar_t FoldAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

}  // namespace

std::span<const MacroRow> MacroTable() { return kMacros; }

const MacroRow* MacroOfWindowsName(std::wstring_view token) {
  for (const MacroRow& alias : kWindowsNames) {
    if (!EqualIgnoringCase(alias.token, token)) continue;
    for (const MacroRow& row : kMacros)
      if (row.csidl == alias.csidl) return &row;
  }
  return nullptr;
}

const MacroRow* FindMacro(std::wstring_view token) {
  for (const MacroRow& row : kMacros)
    if (EqualIgnoringCase(row.token, token)) return &row;
  return nullptr;
}

std::optional<MacroExpansion> ExpansionFor(int csidl, int osCode, bool use64BitProgramFiles) {
  const bool vistaOrLater = osCode >= kFirstVistaCode;
  switch (csidl) {
    case 26:
      return MacroExpansion{L"%appdata%", L"", L"appdata"};
    case 28:
      return MacroExpansion{vistaOrLater ? L"%localappdata%" : L"", L"", L"localappdata"};
    case 35:
      if (vistaOrLater) return MacroExpansion{L"%ProgramData%", L"", L"ProgramData"};
      return MacroExpansion{L"%ALLUSERSPROFILE%", L"Application Data", L"ProgramData"};
    case 36:
      return MacroExpansion{L"%windir%", L"", L"windir"};
    case 37:
      return MacroExpansion{L"%windir%", L"System32", L"windir//system32"};
    case 40:
      return MacroExpansion{L"%USERPROFILE%", L"", L"USERPROFILE"};
    case 38:
      return MacroExpansion{use64BitProgramFiles ? L"%ProgramW6432%" : L"%ProgramFiles%", L"", L"ProgramFiles", true};
    case 43:
      if (use64BitProgramFiles) return MacroExpansion{L"%ProgramW6432%", L"Common Files", L"CommonProgramFiles", true};
      return MacroExpansion{L"%CommonProgramFiles%", L"", L"CommonProgramFiles", true};
    default:
      return std::nullopt;
  }
}

bool ExpansionSucceeded(std::wstring_view variable, std::wstring_view result, unsigned long returnedCount) {
  if (returnedCount == 0 || returnedCount > kFolderBufferChars) return false;
  return !EqualIgnoringCase(result, variable);
}

std::optional<MacroPrefixedPath> SplitMacroPrefixedPath(std::wstring_view value) {
  if (value.size() < 2 || value.front() != L'$') return std::nullopt;
  const std::size_t second = value.find(L'$', 1);
  if (second == std::wstring_view::npos) return std::nullopt;
  return MacroPrefixedPath{std::wstring(value.substr(0, second + 1)), std::wstring(value.substr(second + 1))};
}

std::wstring ApplyMacroPrefix(std::wstring_view value, const std::function<std::wstring(const std::wstring& token)>& resolve) {
  std::optional<MacroPrefixedPath> parts = SplitMacroPrefixedPath(value);
  if (!parts) return std::wstring(value);
  return PathJoin(resolve(parts->token), parts->tail);
}

}  // namespace vorlan
