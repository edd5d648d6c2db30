#pragma once
// The registry of this PC behind vorlan::RegWriter, in one view: the
// calling process's own, or the 64-bit one (KEY_WOW64_64KEY) on 64-bit
// Windows.

#include <windows.h>

#include "platform/win/scoped_resource.h"
#include "steps/registry/core/reg_import.h"

namespace vorlan::steps {

HKEY RootKeyHandle(RegRootKey root);

// Deletes `path` below `root` with all its subkeys in the view `viewFlag`
// (0 or KEY_WOW64_64KEY), on XP too (no RegDeleteTree there). 0 when it is
// gone, also when it never existed; otherwise the system error code.
long DeleteKeyTree(HKEY root, const std::wstring& path, REGSAM viewFlag);

class CRegistryWriter final : public RegWriter {
 public:
  explicit CRegistryWriter(REGSAM viewFlag) : view_(viewFlag) {}

  long OpenKey(RegRootKey root, const std::wstring& path) override;
  long SetValue(const std::wstring& name, std::uint32_t type, const std::vector<std::uint8_t>& data) override;
  long DeleteValue(const std::wstring& name) override;
  long DeleteTree(RegRootKey root, const std::wstring& path) override;

 private:
  REGSAM view_;
  OS::ScopedRegKey key_;
};

// Writes one value whole, creating its key when missing. For the string
// types the bytes are stored exactly as given (no terminator added).
long WriteRegistryValue(HKEY root, const std::wstring& keyPath, REGSAM viewFlag, const std::wstring& name,
                        DWORD type, const void* data, DWORD size);

}  // namespace vorlan::steps
