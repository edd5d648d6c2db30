#include "pkg_reg/core/entry_name.h"

namespace vorlan::pkgreg {
namespace {
constexpr std::size_t kRootLength = 4;
constexpr std::size_t kKeyPathStart = 5;  // after the root and its separator
constexpr std::wstring_view kDefaultValueName = L"(DEFAULT)";
}  // namespace

std::wstring AsciiUpper(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return out;
}

std::optional<EntryName> SplitEntryName(std::wstring_view name, bool keyOnly) {
  if (name.size() < kKeyPathStart) return std::nullopt;
  EntryName out;
  out.root = AsciiUpper(name.substr(0, kRootLength));
  const std::wstring_view rest = name.substr(kKeyPathStart);
  if (keyOnly) {
    out.keyPath = rest;
    return out;
  }
  const std::size_t slash = rest.rfind(L'\\');
  if (slash == std::wstring_view::npos) return std::nullopt;
  out.keyPath = rest.substr(0, slash);
  out.valueName = AsciiUpper(rest.substr(slash + 1));
  if (out.valueName == kDefaultValueName) out.valueName.clear();
  return out;
}

std::optional<RegRoot> RootFromName(std::wstring_view root) {
  if (root == L"HKCR") return RegRoot::ClassesRoot;
  if (root == L"HKCU") return RegRoot::CurrentUser;
  if (root == L"HKLM") return RegRoot::LocalMachine;
  return std::nullopt;
}

}  // namespace vorlan::pkgreg
