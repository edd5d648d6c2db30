#include "pkg_reg/tool/apply_command.h"

#include "pkg_reg/win/apply_pkg_reg_file.h"
#include "platform/win/code_page.h"

namespace vorlan::pkgreg {

int RunApplyCommand(const std::filesystem::path& installDir, const std::vector<std::filesystem::path>& files,
                    std::ostream& out) {
  int rc = 0;
  for (const auto& file : files) {
    const bool applied = ApplyPkgRegFile(file.wstring(), installDir.wstring());
    out << (applied ? "applied " : "FAILED ") << OS::ToThreadAnsi(file.wstring()) << "\n";
    if (!applied) rc = 1;
  }
  return rc;
}

}  // namespace vorlan::pkgreg
