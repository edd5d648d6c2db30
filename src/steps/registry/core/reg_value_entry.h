#pragma once
// Steps "keys" and "GamePath": one registry value per entry of the option
// file, checked and turned into the bytes RegSetValueEx takes before anything
// is written.
//
//   Key=HKEY_LOCAL_MACHINE\Software\Game   root (long or short name) and path
//   Name=CDKey                             empty: the key's default value
//   Type=string | expand | dword | binary  empty: string
//   Data=...                               string: as written; dword: decimal
//                                          or 0x hex; binary: hex bytes,
//                                          blanks or commas between them

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "steps/registry/core/reg_root.h"

namespace vorlan {

struct RegValueEntry {
  RegRootKey root = RegRootKey::LocalMachine;
  std::wstring keyPath;  // below the root, never empty
  std::wstring name;
  std::uint32_t type = 1;
  std::vector<std::uint8_t> data;  // for the string types UTF-16LE with the terminating NUL
};

struct RegValueEntryResult {
  std::optional<RegValueEntry> entry;
  std::string error;  // why there is none: a short English reason
  std::wstring_view key;  // and the key of the entry that holds the fault
};

// "HKLM\Software\Game": the root and the path below it. Refused: an unknown
// root, no path below the root, an empty part ("a\\b", a trailing "\").
std::optional<std::pair<RegRootKey, std::wstring>> SplitRegKey(std::wstring_view key);

// The whole entry. Refused besides: an unknown type; a dword that is not a
// decimal number or 0x and 1 to 8 hex digits, or above 4294967295; binary
// data with a part that is not 1 or 2 hex digits; a value name or string of
// more than 16383 characters.
RegValueEntryResult MakeRegValueEntry(std::wstring_view key, std::wstring_view name, std::wstring_view type,
                                      std::wstring_view data);

// What "GamePath" writes: the program directory joined with `subPath`
// (leading and trailing backslashes of the sub-path dropped), ending in
// exactly one backslash when `trailingBackslash`, in none otherwise.
std::wstring GamePathValue(std::wstring_view programDirectory, std::wstring_view subPath, bool trailingBackslash);

}  // namespace vorlan
