#pragma once
// Step "AssocGamePathSet": writes the local paths of the packages a game
// platform needs where the platform reads them, a registry value or an INI
// key per entry of [AssocGamePathSet]. Takes only the option file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assoc/win/package_service.h"
#include "platform/win/ini_file.h"

namespace vorlan::steps {

// An entry [AssocGamePathSet<i>] as the step reads it on this PC.
struct AssocPathEntry {
  int index = 0;
  std::wstring section;
  std::wstring pkgIdText;
  std::optional<std::uint32_t> id;  // none: not a package id, the entry is left out
  std::wstring pattern;             // "Value", "%PkgPath%" when empty
  int type = 0;                     // 0 registry value, 1 INI key, other: none
  // Type 0: root name (HKLM when empty), key, value name, 64-bit view;
  // type 1: the INI file (macros resolved, relative to the option file's
  // folder), section, key.
  std::wstring root, key, name, file, iniSection;
  bool native = false;
  std::wstring target;    // where, as the log writes it
  bool complete = false;  // a known type, root and the keys the type requires
};

// The entries below [AssocGamePathSet] "Num" (at most 256) that are not
// skipped on this PC, in order.
std::vector<AssocPathEntry> ReadAssocPathEntries(const OS::IniFile& options);

void RunAssocGamePathSetStep(const OS::IniFile& options, ::assoc::PackageService& service);

}  // namespace vorlan::steps
