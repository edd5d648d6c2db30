#pragma once
// What the associated-game tests lay out: package folders as the café's
// virtual disks hold them (registry script files, system files), and a
// client service that answers from a table.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "assoc/win/package_service.h"
#include "pkg_reg_bytes.h"
#include "vtest/files.h"

namespace assoctest {

// The first bytes of an x86 or x86-64 image: enough for the headers to tell.
inline std::string Image(std::uint16_t machine) {
  std::string bytes(0x100, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[0x3C] = static_cast<char>(0x80);
  bytes.replace(0x80, 4, std::string("PE\0\0", 4));
  bytes[0x84] = static_cast<char>(machine & 0xFF);
  bytes[0x85] = static_cast<char>(machine >> 8);
  return bytes + "payload";
}
inline std::string Image32() { return Image(0x014C); }
inline std::string Image64() { return Image(0x8664); }

// A registry script file with one REG_SZ value "<key>\<name>" = data.
inline std::string ScriptFile(const std::string& key, const std::string& name, const std::string& data) {
  pkgreg_test::Bytes b;
  pkgreg_test::Put32(b, 1);
  pkgreg_test::PutEntry(b, 0, 1, key + "\\" + name, data);
  pkgreg_test::Bytes sealed = pkgreg_test::Sealed(b);
  return std::string(sealed.begin(), sealed.end());
}

// Sets a file's last-write time to `ticks` (100 ns units).
inline bool SetWriteTime(const std::wstring& path, ULONGLONG ticks) {
  HANDLE h = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  FILETIME t{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  const BOOL ok = ::SetFileTime(h, nullptr, nullptr, &t);
  ::CloseHandle(h);
  return ok != FALSE;
}

// Answers QueryPackageInfo from `paths` (only for the ids asked, as the
// service does), plus `unrelated` records of packages nobody asked for.
class TablePackages final : public assoc::PackageService {
 public:
  void QueryPackageInfo(const std::vector<std::uint32_t>& ids, std::vector<PackageInfo>& out) override {
    std::function<void()> hook;
    {
      std::lock_guard<std::mutex> hold(lock_);
      asked_.push_back(ids);
      hook = onQuery;
      for (std::uint32_t id : ids) {
        auto found = paths.find(id);
        if (found != paths.end()) out.push_back(PackageInfo{id, found->second, true, true});
      }
      for (int i = 0; i < unrelated; ++i)
        out.push_back(PackageInfo{900000u + static_cast<std::uint32_t>(i), L"Z:\\other\\" + std::to_wstring(i), true, true});
    }
    if (hook) hook();
  }
  void ConnectVirtualDisks() override {
    ++connects;
    if (onConnect) onConnect();
  }
  std::vector<std::vector<std::uint32_t>> Asked() const {
    std::lock_guard<std::mutex> hold(lock_);
    return asked_;
  }

  std::map<std::uint32_t, std::wstring> paths;
  int unrelated = 0;
  std::function<void()> onQuery;    // after each answer, on the asking thread
  std::function<void()> onConnect;  // when the disks are asked for
  std::atomic<int> connects{0};

 private:
  mutable std::mutex lock_;
  std::vector<std::vector<std::uint32_t>> asked_;
};

}  // namespace assoctest
