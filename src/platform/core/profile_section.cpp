#include "platform/core/profile_section.h"

namespace vorlan::profile {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Characters that some reader might count as whitespace and another not.
bool IsDoubtful(wchar_t c) {
  return c < 0x20 || c == 0x7F || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) ||
         c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool DoubtfulEnds(std::wstring_view text) {
  return !text.empty() && (IsDoubtful(text.front()) || IsDoubtful(text.back()));
}

bool IsPlainAscii(std::wstring_view text) {
  for (wchar_t c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualAsciiNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

template <typename Visit>
void ForEachString(std::wstring_view list, Visit visit) {
  std::size_t at = 0;
  while (at < list.size()) {
    std::size_t end = list.find(L'\0', at);
    if (end == std::wstring_view::npos) end = list.size();
    if (end == at) break;  // the empty string that ends the list
    visit(list.substr(at, end - at));
    at = end + 1;
  }
}

}  // namespace

std::vector<Entry> ParseSectionList(std::wstring_view list) {
  std::vector<Entry> entries;
  ForEachString(list, [&](std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    Entry entry;
    const std::wstring_view key = Trim(line.substr(0, equals));
    const std::wstring_view value = equals == std::wstring_view::npos ? std::wstring_view() : Trim(line.substr(equals + 1));
    entry.key.assign(key);
    entry.value.assign(value);
    entry.unusualEnds = DoubtfulEnds(key) || DoubtfulEnds(value);
    entries.push_back(std::move(entry));
  });
  return entries;
}

Answer FindValue(const std::vector<Entry>& entries, std::wstring_view key, std::wstring& value) {
  const std::wstring_view wanted = Trim(key);
  if (wanted.empty() || wanted.front() == L';' || !IsPlainAscii(wanted)) return Answer::AskSystem;
  for (const Entry& entry : entries) {
    if (entry.unusualEnds) return Answer::AskSystem;
    if (EqualAsciiNoCase(entry.key, wanted)) {
      if (!entry.value.empty() && (entry.value.front() == L'"' || entry.value.front() == L'\'')) return Answer::AskSystem;
      value = entry.value;
      return Answer::Found;
    }
    if (!IsPlainAscii(entry.key)) return Answer::AskSystem;
  }
  return Answer::Missing;
}

Answer FindSection(std::wstring_view names, std::wstring_view section) {
  const std::wstring_view wanted = Trim(section);
  if (wanted.empty() || !IsPlainAscii(wanted)) return Answer::AskSystem;
  Answer answer = Answer::Missing;
  ForEachString(names, [&](std::wstring_view name) {
    if (answer == Answer::Found) return;
    if (EqualAsciiNoCase(name, wanted)) {
      answer = Answer::Found;
    } else if (!IsPlainAscii(name) || Trim(name).size() != name.size()) {
      answer = Answer::AskSystem;
    }
  });
  return answer;
}

std::wstring_view TrimBlanks(std::wstring_view name) { return Trim(name); }

std::optional<int> PlainDecimal(std::wstring_view value) {
  if (value.empty() || value.size() > 9) return std::nullopt;
  int result = 0;
  for (wchar_t c : value) {
    if (c < L'0' || c > L'9') return std::nullopt;
    result = result * 10 + (c - L'0');
  }
  return result;
}

}  // namespace vorlan::profile
