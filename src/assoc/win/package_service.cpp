#include "assoc/win/package_service.h"

#include "assoc/win/client_service.h"

namespace assoc {

void ClientServicePackages::QueryPackageInfo(const std::vector<std::uint32_t>& ids, std::vector<PackageInfo>& out) {
  service_.QueryPackageInfo(ids, out);
}

void ClientServicePackages::ConnectVirtualDisks() { service_.ConnectVirtualDisks(); }

}  // namespace assoc
