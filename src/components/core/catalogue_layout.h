#pragma once
// Where things live in the component catalogue "VorlanComponent.ini" and the
// small rules that turn its values into names: the list section, the list
// keys, the check type, the file names of a "filefind" check, the Windows 7
// installer section, the help page.

#include <string>
#include <string_view>

namespace vorlan {

inline constexpr wchar_t kCatalogueFileName[] = L"VorlanComponent.ini";

// Strings of the catalogue are read into buffers of 260 characters.
inline constexpr unsigned kCatalogueValueChars = 259;

// More list entries than any cafe installs; a larger "Argc" (a typing error)
// is cut to this, so that the load cannot spin through billions of keys.
inline constexpr int kMaxListEntries = 1000;

// "Argument64" when [ArgumentMgr] "IsEnable64" is 1 on 64-bit Windows,
// else "Argument".
std::wstring ListSection(int isEnable64, bool is64BitWindows);

// Number of list entries to read for an "Argc": none for 0 or less, at most
// kMaxListEntries.
int ListLength(int argc);
bool ListLengthIsCut(int argc);

// "Argument_%d".
std::wstring ListKey(int index);

enum class CheckType { None, RegRead, FileFind };

// Exact, case-sensitive: "regread" and "filefind"; anything else is no check.
CheckType ParseCheckType(std::wstring_view type);

// The number in the k-th file name of a "filefind" check: start + k, wrapping
// as 32-bit arithmetic does.
int FileFindNumber(int start, int k);

// "%s\%s%d%s" (Windows directory, path, number, last) when windir is set,
// else "%s%d%s" (path, number, last).
std::wstring FileFindName(bool windir, std::wstring_view windowsDirectory, std::wstring_view path, int number,
                          std::wstring_view last);

// The installer section on Windows 7: "%sWin7" when that section names an
// installer ("exe" not empty), else the component's own section.
std::wstring InstallSectionName(std::wstring_view component, bool isWindows7, std::wstring_view win7Exe);
std::wstring Win7SectionName(std::wstring_view component);

// "%s.htm" from [Public] "Language".
std::wstring HelpPageName(std::wstring_view language);

}  // namespace vorlan
