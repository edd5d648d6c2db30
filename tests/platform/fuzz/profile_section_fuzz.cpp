// Fuzz target for the option-file lookups: any section listing and any key
// or section name give an answer, and a value found is what the listing says.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/profile_section.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The bytes as UTF-16 units: the first line is the name looked up, the
  // rest the listing.
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  const std::size_t eol = text.find(L'\n');
  const std::wstring name = text.substr(0, eol);
  const std::wstring list = eol == std::wstring::npos ? std::wstring() : text.substr(eol + 1);

  const auto entries = vorlan::profile::ParseSectionList(list);
  std::wstring value;
  if (vorlan::profile::FindValue(entries, name, value) == vorlan::profile::Answer::Found) {
    if (!value.empty() && (value.front() == L' ' || value.back() == L' ' || value.front() == L'"')) __builtin_trap();
    if (list.find(value) == std::wstring::npos) __builtin_trap();
  }
  vorlan::profile::FindSection(list, name);
  if (auto plain = vorlan::profile::PlainDecimal(name)) {
    if (*plain < 0 || std::to_wstring(*plain).size() > name.size()) __builtin_trap();
  }
  return 0;
}
