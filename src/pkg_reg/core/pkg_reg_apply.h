#pragma once
// Applies every entry of a loaded registry script file.

#include <cstddef>
#include <string>

#include "pkg_reg/core/pkg_reg.h"
#include "pkg_reg/core/pkg_reg_target.h"

namespace vorlan::pkgreg {

struct PkgRegApplyReport {
  // False when an entry's name cannot be split; then nothing of the file
  // was written.
  bool applied = false;
  std::size_t faultIndex = 0;  // that entry, counted from 0
  std::wstring faultName;      // and its name
  std::size_t written = 0;     // values set
  std::size_t skipped = 0;     // unknown roots and keys that could not be created
};

// Checks that every entry's name splits, then applies the entries in file
// order. A file with a name that does not split is left out whole, so that
// no file is ever applied in part.
PkgRegApplyReport ApplyPkgReg(const CPkgReg& reg, const std::wstring& installDir, CPkgRegTarget& target);

}  // namespace vorlan::pkgreg
