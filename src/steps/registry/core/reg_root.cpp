#include "steps/registry/core/reg_root.h"

namespace vorlan {
namespace {

struct RootName {
  std::wstring_view longName;
  std::wstring_view shortName;
  RegRootKey root;
};

constexpr RootName kRootNames[] = {
    {L"HKEY_CLASSES_ROOT", L"HKCR", RegRootKey::ClassesRoot},
    {L"HKEY_CURRENT_USER", L"HKCU", RegRootKey::CurrentUser},
    {L"HKEY_LOCAL_MACHINE", L"HKLM", RegRootKey::LocalMachine},
    {L"HKEY_USERS", L"HKU", RegRootKey::Users},
    {L"HKEY_CURRENT_CONFIG", L"HKCC", RegRootKey::CurrentConfig},
};

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool SameIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != b[i]) return false;
  return true;
}

}  // namespace

std::optional<RegRootKey> RegRootFromName(std::wstring_view name) {
  for (const RootName& row : kRootNames)
    if (SameIgnoringAsciiCase(name, row.longName) || SameIgnoringAsciiCase(name, row.shortName)) return row.root;
  return std::nullopt;
}

}  // namespace vorlan
