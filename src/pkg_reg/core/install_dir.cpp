#include "pkg_reg/core/install_dir.h"

namespace vorlan::pkgreg {

std::wstring ReplaceInstallDir(std::wstring_view text, std::wstring_view installDir) {
  while (!installDir.empty() && installDir.back() == L'\\') installDir.remove_suffix(1);
  std::wstring out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t hit = text.find(kInstallDirMacro); hit != std::wstring_view::npos;
       hit = text.find(kInstallDirMacro, from)) {
    out.append(text.substr(from, hit - from));
    out.append(installDir);
    from = hit + kInstallDirMacro.size();
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace vorlan::pkgreg
