#pragma once
// The root keys a registry editor file (.reg) may name.

#include <optional>
#include <string_view>

namespace vorlan {

enum class RegRootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// "HKEY_CLASSES_ROOT" or "HKCR", "HKEY_CURRENT_USER" or "HKCU",
// "HKEY_LOCAL_MACHINE" or "HKLM", "HKEY_USERS" or "HKU",
// "HKEY_CURRENT_CONFIG" or "HKCC", the ASCII letters in any case. Nothing
// for any other name.
std::optional<RegRootKey> RegRootFromName(std::wstring_view name);

}  // namespace vorlan
