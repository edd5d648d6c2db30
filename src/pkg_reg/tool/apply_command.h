#pragma once
#ifdef _WIN32
#include <filesystem>
#include <ostream>
#include <vector>

namespace vorlan::pkgreg {

// Applies each file in turn with the install directory; a file that fails
// does not stop the others. 0 when every file was applied, else 1.
int RunApplyCommand(const std::filesystem::path& installDir, const std::vector<std::filesystem::path>& files,
                    std::ostream& out);

}  // namespace vorlan::pkgreg
#endif
