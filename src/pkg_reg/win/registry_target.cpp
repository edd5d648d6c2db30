#include "pkg_reg/win/registry_target.h"

#include <windows.h>

#include <vector>

#include "platform/win/code_page.h"
#include "platform/win/scoped_resource.h"

using vorlan::pkgreg::PkgRegValue;
using vorlan::pkgreg::RegRoot;

namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

}  // namespace

std::wstring CRegistryTarget::FromAnsi(std::string_view bytes) const { return OS::FromThreadAnsi(bytes); }

bool CRegistryTarget::SetValue(const PkgRegValue& value) {
  OS::ScopedRegKey key;
  if (::RegCreateKeyExW(RootKey(value.root), value.keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | viewFlag_, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
    return false;
  if (value.type == vorlan::pkgreg::kRegSz) {
    const auto byteCount = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
    ::RegSetValueExW(key.Get(), value.valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                     byteCount);
  } else if (value.bytes.empty()) {
    ::RegSetValueExW(key.Get(), value.valueName.c_str(), 0, value.type, nullptr, 0);
  } else {
    // For string types the system looks at the character after the byte
    // count and, when it is NUL, stores it too. Two non-zero guard bytes
    // keep that look inside our buffer and the stored bytes as in the file.
    std::vector<BYTE> guarded(value.bytes.begin(), value.bytes.end());
    guarded.insert(guarded.end(), {0xFF, 0xFF});
    ::RegSetValueExW(key.Get(), value.valueName.c_str(), 0, value.type, guarded.data(),
                     static_cast<DWORD>(value.bytes.size()));
  }
  return true;
}
