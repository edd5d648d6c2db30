#pragma once
// What the associated-game steps ask of the café's client service, as an
// interface so that a test can answer in its place.

#include <cstdint>
#include <vector>

#include "assoc/core/package_info.h"

class CClientService;

namespace assoc {

class PackageService {
 public:
  // Appends the records of the packages the service (or its library
  // fallback) knows; it may answer for other ids too.
  virtual void QueryPackageInfo(const std::vector<std::uint32_t>& ids, std::vector<PackageInfo>& out) = 0;
  // Asks for the virtual disks to be connected.
  virtual void ConnectVirtualDisks() = 0;

 protected:
  ~PackageService() = default;
};

// The process's client-service connection behind the interface.
class ClientServicePackages final : public PackageService {
 public:
  explicit ClientServicePackages(CClientService& service) : service_(service) {}
  void QueryPackageInfo(const std::vector<std::uint32_t>& ids, std::vector<PackageInfo>& out) override;
  void ConnectVirtualDisks() override;

 private:
  CClientService& service_;
};

}  // namespace assoc
