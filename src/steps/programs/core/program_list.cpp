#include "steps/programs/core/program_list.h"

#include <algorithm>
#include <cstdint>

#include "platform/core/wformat.h"

namespace vorlan {
namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(text[i]) != AsciiLower(prefix[i])) return false;
  return true;
}

// The index of an entry section name ("PreLoad12" gives 12), or -1 when the
// name is not one that "%s%d" forms for the list.
std::int64_t EntryIndexOf(std::wstring_view section, std::wstring_view list) {
  if (!StartsWithNoCase(section, list)) return -1;
  std::wstring_view digits = section.substr(list.size());
  if (digits.empty() || digits.size() > 10) return -1;
  if (digits.size() > 1 && digits.front() == L'0') return -1;
  std::int64_t value = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return -1;
    value = value * 10 + (c - L'0');
  }
  return value <= INT32_MAX ? value : -1;
}

}  // namespace

std::wstring ProgramListEntrySection(std::wstring_view list, unsigned index) {
  return fmt::Format(L"%s%d", list, index);
}

std::wstring SelectedProgramList(int whichProcess) {
  if (whichProcess == 0) return L"PreLoadAd";
  if (whichProcess == 1) return L"PreLoadType";
  return std::wstring();
}

unsigned ProgramListScanLimit(int num, std::wstring_view list, std::span<const std::wstring> sections) {
  const unsigned count = static_cast<unsigned>(num);
  std::int64_t last = -1;
  for (const std::wstring& section : sections) last = std::max(last, EntryIndexOf(section, list));
  return std::min<std::uint64_t>(count, static_cast<std::uint64_t>(last + 1));
}

}  // namespace vorlan
