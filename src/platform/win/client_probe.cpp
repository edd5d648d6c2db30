#include "platform/win/client_probe.h"

#include <windows.h>

#include <cwctype>

#include "platform/win/os_info.h"
#include "platform/win/scoped_resource.h"

namespace OS {

void ClientProbe::Refresh() {
  clientType_.reset();
  protectedDrives_.clear();
  ScopedRegKey key;
  const REGSAM view = Is64BitOs() ? KEY_WOW64_64KEY : 0;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | view, key.Receive()) != ERROR_SUCCESS) return;

  DWORD type = 0, value = 0, size = sizeof(value);
  if (::RegQueryValueExW(key.Get(), L"ClientType", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof(value)) {
    clientType_ = value;
  }

  wchar_t drives[64] = {};
  size = sizeof(drives) - sizeof(wchar_t);  // room for a terminator the value may lack
  if (::RegQueryValueExW(key.Get(), L"ProtectedDrives", nullptr, &type, reinterpret_cast<BYTE*>(drives), &size) ==
          ERROR_SUCCESS &&
      type == REG_SZ) {
    protectedDrives_.assign(drives, size / sizeof(wchar_t));
  }
}

bool ClientProbe::IsDriveProtected(wchar_t drive) const {
  const wint_t wanted = std::towupper(static_cast<wint_t>(drive));
  for (wchar_t c : protectedDrives_)
    if (c != L'\0' && std::towupper(static_cast<wint_t>(c)) == wanted) return true;
  return false;
}

}  // namespace OS
