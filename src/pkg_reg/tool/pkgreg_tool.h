#pragma once
// The pkgreg command-line tool:
//   pkgreg write <out file> <list file>   makes a registry script file
//   pkgreg dump <file>                    prints one as a list file
//   pkgreg apply <install dir> <file>...  (Windows) applies files to the registry
// Returns the process exit code: 0 success, 1 failure, 2 bad usage.

#include <filesystem>
#include <ostream>
#include <vector>

namespace vorlan::pkgreg {

int RunPkgRegTool(const std::vector<std::filesystem::path>& args, std::ostream& out, std::ostream& err);

}  // namespace vorlan::pkgreg
