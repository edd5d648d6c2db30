#pragma once
// The text form of a registry script file that operators write and read:
// one entry per line, four fields separated by tabs
//   flag <TAB> type <TAB> name <TAB> data
// with '#' comment lines and blank lines ignored (docs/pkgreg-files.md).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pkg_reg/core/pkg_reg.h"

namespace vorlan::pkgreg {

struct ListFileError {
  int line = 0;  // counted from 1
  std::string message;
};

// The entries of a list file, or nothing with the first error.
std::optional<std::vector<CPkgRegEntry>> ParseListFile(std::string_view text, ListFileError& error);

// The list-file text of loaded entries; parsing it gives the same entries.
std::string FormatListFile(const CPkgReg& reg);

}  // namespace vorlan::pkgreg
