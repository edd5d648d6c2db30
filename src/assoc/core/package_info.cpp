#include "assoc/core/package_info.h"

namespace vorlan::assoc {

std::wstring CutPackagePath(std::wstring_view path) {
  std::size_t last = path.find_last_not_of(L'\\');
  if (last == std::wstring_view::npos) return std::wstring();
  std::wstring_view trimmed = path.substr(0, last + 1);
  std::size_t slash = trimmed.rfind(L'\\');
  if (slash == std::wstring_view::npos) return std::wstring();
  return std::wstring(trimmed.substr(0, slash));
}

void AppendServiceRecords(const Json::CJsonQuerayPkgListInfoAck& reply, const AnsiToWide& toWide,
                          std::vector<PackageInfo>& out) {
  for (const auto& [id, entry] : reply.pkgInfo) {
    out.push_back(PackageInfo{id, CutPackagePath(toWide(entry.pkgPath)), entry.inVirtualDisk, entry.ready});
  }
}

}  // namespace vorlan::assoc
