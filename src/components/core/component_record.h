#pragma once
// One runtime component of the catalogue "VorlanComponent.ini", in the order
// the catalogue lists it.

#include <cstdint>
#include <string>

namespace vorlan {

struct ComponentRecord {
  std::wstring name;          // the list entry: the component's section name
  std::wstring type;          // check type: "regread" or "filefind"
  std::wstring path;          // registry key under HKLM, or file path prefix
  std::wstring regRemove;     // HKCR key removed around the installer
  std::wstring nickName;      // display name from the language section
  std::int32_t installMark = 0;
  std::int32_t notInstalled = 0;      // result of the last check, 0 or 1
  std::int32_t closeRedirection = 0;  // 1: check in the native 64-bit view
};

}  // namespace vorlan
