#pragma once
// How the name of a registry script entry is split into root, key path and
// value name, and which roots are known.

#include <optional>
#include <string>
#include <string_view>

namespace vorlan::pkgreg {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine };

struct EntryName {
  std::wstring root;       // the first four characters, a-z made upper case
  std::wstring keyPath;    // case kept
  std::wstring valueName;  // a-z made upper case; empty for the key's default value
};

// The name is root (4 characters), one separator character (skipped
// unchecked), then the key path. With `keyOnly` false the text after the
// key path's last backslash is the value name, and "(DEFAULT)" (in any case)
// names the default value. Nothing when the name is shorter than five
// characters, or, without `keyOnly`, holds no backslash after the root.
std::optional<EntryName> SplitEntryName(std::wstring_view name, bool keyOnly);

// "HKCR", "HKCU" and "HKLM"; any other root is unknown.
std::optional<RegRoot> RootFromName(std::wstring_view root);

// Only the ASCII letters a-z are changed.
std::wstring AsciiUpper(std::wstring_view text);

}  // namespace vorlan::pkgreg
