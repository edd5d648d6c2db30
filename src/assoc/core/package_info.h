#pragma once
// What QueryPackageInfo hands back, one record per package, and how the
// service's reply becomes those records.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "assoc/core/package_list_packets.h"

struct PackageInfo {
  std::uint32_t PkgId = 0;
  std::wstring Path;  // the folder that holds the package
  bool IsInVirtualDisk = false;
  bool IsReady = false;

  bool operator==(const PackageInfo&) const = default;
};

namespace vorlan::assoc {

// Cuts a package's own path back to the folder that holds it: every trailing
// backslash is removed, then the text is cut at its last backslash.
// "D:\Games\Pkg\Foo\" gives "D:\Games\Pkg", "C:\Pkg" gives "C:", a path
// without a backslash gives empty text.
std::wstring CutPackagePath(std::wstring_view path);

using AnsiToWide = std::function<std::wstring(std::string_view)>;

// Appends one record per entry of the reply, in ascending id order; each
// path converted with `toWide` and then cut.
void AppendServiceRecords(const Json::CJsonQuerayPkgListInfoAck& reply, const AnsiToWide& toWide,
                          std::vector<PackageInfo>& out);

}  // namespace vorlan::assoc
