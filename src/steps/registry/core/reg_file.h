#pragma once
// Registry editor files (.reg), read by the launcher itself rather than by
// regedit, so that the registry view it writes to and the result of every
// file are its own on each Windows from XP to 10. The file is turned into
// an ordered list of operations; nothing here touches the registry.
//
//   Windows Registry Editor Version 5.00      (or REGEDIT4)
//   ; a comment
//   [-HKEY_CURRENT_USER\Software\Old]         delete the key and all below it
//   [HKEY_LOCAL_MACHINE\Software\Game]        create or open the key
//   @="default value"                         the key's default value
//   "Path"="%InstallDir%\\bin"                REG_SZ; \\ and \" inside quotes
//   "Count"=dword:0000002a                    REG_DWORD, 1 to 8 hex digits
//   "Blob"=hex:01,02,\                        REG_BINARY; a trailing backslash
//     03                                      continues the list
//   "Raw"=hex(b):01,00,00,00,00,00,00,00      any type n, n in hex
//   "Gone"=-                                  delete the value
//
// Roots and kind words are matched without regard to ASCII case; blanks
// (spaces, tabs) may stand before a line, around '=', around hex bytes and
// at the end of a line. A hex byte is 1 or 2 digits and never spans lines.
// The smallest fault refuses the whole file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "steps/registry/core/reg_file_text.h"
#include "steps/registry/core/reg_root.h"

namespace vorlan {

// Value types as RegSetValueEx takes them.
inline constexpr std::uint32_t kRegTypeNone = 0;
inline constexpr std::uint32_t kRegTypeSz = 1;
inline constexpr std::uint32_t kRegTypeExpandSz = 2;
inline constexpr std::uint32_t kRegTypeBinary = 3;
inline constexpr std::uint32_t kRegTypeDword = 4;
inline constexpr std::uint32_t kRegTypeMultiSz = 7;
inline constexpr std::uint32_t kRegTypeQword = 11;

enum class RegOpKind {
  DeleteKey,    // [-root\path]: the key with all its subkeys
  OpenKey,      // [root\path]: created when missing
  SetValue,     // "name"=... or @=...
  DeleteValue,  // "name"=- or @=-
};

struct RegFileOp {
  RegOpKind kind = RegOpKind::OpenKey;
  RegRootKey root = RegRootKey::LocalMachine;
  std::wstring keyPath;    // below the root, case kept; empty for the root itself
  std::wstring valueName;  // values only; empty for the default value
  std::uint32_t type = kRegTypeNone;  // SetValue: the value's type
  std::vector<std::uint8_t> data;     // SetValue: the bytes for RegSetValueEx
  std::size_t line = 0;               // where the operation was written, from 1
};

struct RegFileResult {
  std::optional<RegFileError> error;  // set: the file is refused and `ops` is empty
  RegFileFormat format = RegFileFormat::Version5;
  std::vector<RegFileOp> ops;  // in file order; a value's key is the last key line before it
};

// Reads a whole .reg file from its raw bytes.
//
// Data of the string types: a quoted string becomes REG_SZ, UTF-16LE with
// its terminating NUL. hex(1), hex(2) and hex(7) keep the bytes as written,
// except that in a REGEDIT4 file they are ANSI text, converted run by run
// between NUL bytes through `decodeAnsi` to UTF-16LE (the NULs stay). In
// all three and in quoted strings every "%InstallDir%" (exact case) becomes
// `installDir` without its trailing backslashes; in a version-5 hex(n) that
// is done on the whole UTF-16 units, an odd last byte staying as it is.
//
// Refused: a bad header or encoding (see RegFileText), a value line before
// any key line or below a deleted key, an unknown root, an empty part of a
// key path, deleting a root, an unterminated quote, an escape other than
// \\ and \", a missing '=', an unknown value kind, a dword not of 1 to 8 hex
// digits, a bad type in hex(n), a bad hex byte or a list ending in ',' or
// continued past the end of the file, text after a value, and any other
// line that is not blank, a comment (';' first), a key line or a value line.
RegFileResult ParseRegFile(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi,
                           std::wstring_view installDir);

}  // namespace vorlan
