#pragma once
// What the cafe's client software tells about this PC: the client type and
// which drives its disk protection restores on reboot. The answers are read
// from HKLM\SOFTWARE\VorlanClient (the native view on 64-bit Windows):
//   ClientType      REG_DWORD  the client type (2: diskless ordinary user)
//   ProtectedDrives REG_SZ     letters of the protected drives, e.g. "CE"
// An absent key or value answers "no" (docs/client-probe.md).

#include <optional>
#include <string>

namespace OS {

class ClientProbe {
 public:
  static constexpr wchar_t kKey[] = L"SOFTWARE\\VorlanClient";

  // Reads the answers again.
  void Refresh();

  // The client type; nullopt when it cannot be read.
  std::optional<unsigned long> ClientType() const { return clientType_; }
  // Whether the drive (a letter, either case) is restored on reboot.
  bool IsDriveProtected(wchar_t drive) const;

 private:
  std::optional<unsigned long> clientType_;
  std::wstring protectedDrives_;
};

}  // namespace OS
