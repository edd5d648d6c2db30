#include "steps/files/core/junction_record_text.h"

#include <cwctype>
#include <map>

namespace vorlan {
namespace {

std::wstring Upper(std::wstring_view s) {
  std::wstring out;
  out.reserve(s.size());
  for (wchar_t c : s) out += static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return out;
}

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && (s.front() == L' ' || s.front() == L'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == L' ' || s.back() == L'\t')) s.remove_suffix(1);
  return s;
}

bool IsControl(wchar_t c) { return c < 0x20 && c != L'\t'; }

// The parsed text as a read-only record store.
class TextStore : public RecordStore {
 public:
  std::wstring Read(const std::wstring& section, const std::wstring& key) const override {
    auto s = sections_.find(Upper(section));
    if (s == sections_.end()) return L"";
    auto k = s->second.find(Upper(key));
    return k == s->second.end() ? L"" : k->second;
  }
  bool Write(const std::wstring&, const std::wstring&, const std::wstring&) override { return false; }
  bool DeleteSection(const std::wstring&) override { return false; }

  bool HasSection(const std::wstring& section) const { return sections_.count(Upper(section)) != 0; }
  void Add(const std::wstring& section, std::wstring_view key, std::wstring_view value) {
    sections_[section].emplace(Upper(key), std::wstring(value));  // the first of a repeated key wins
  }
  void Open(const std::wstring& section) { sections_[section]; }

 private:
  std::map<std::wstring, std::map<std::wstring, std::wstring>> sections_;
};

void CheckCount(const TextStore& store, const wchar_t* countSection, const wchar_t* entryBase, const wchar_t* secondKey,
                std::vector<std::wstring>& problems) {
  const std::wstring count = store.Read(countSection, L"Num");
  int n = 0;
  for (wchar_t c : count) {
    if (c < L'0' || c > L'9') {
      problems.push_back(L"[" + std::wstring(countSection) + L"] Num is not a number: " + count);
      return;
    }
    n = n * 10 + (c - L'0');
    if (n > kMaxRecords) {
      problems.push_back(L"[" + std::wstring(countSection) + L"] Num is more than " + std::to_wstring(kMaxRecords));
      return;
    }
  }
  for (int i = 0; i < n; ++i) {
    const std::wstring section = std::wstring(entryBase) + std::to_wstring(i);
    if (store.Read(section, L"Dst").empty() || store.Read(section, secondKey).empty()) {
      problems.push_back(L"[" + section + L"] is counted but incomplete");
      return;  // one line says it; the rest is usually the same cut
    }
  }
}

}  // namespace

RecordEncoding DetectRecordEncoding(std::string_view bytes) {
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xFF\xFE")) return bytes.size() % 2 == 0 ? RecordEncoding::Utf16Le : RecordEncoding::Binary;
  if (starts("\xFE\xFF")) return bytes.size() % 2 == 0 ? RecordEncoding::Utf16Be : RecordEncoding::Binary;
  const bool utf8 = starts("\xEF\xBB\xBF");
  for (unsigned char c : bytes.substr(utf8 ? 3 : 0))
    if (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != 0x1A) return RecordEncoding::Binary;
  return utf8 ? RecordEncoding::Utf8Bom : RecordEncoding::Ansi;
}

std::wstring_view EncodingName(RecordEncoding e) {
  switch (e) {
    case RecordEncoding::Utf16Le: return L"UTF-16";
    case RecordEncoding::Ansi: return L"ANSI";
    case RecordEncoding::Utf16Be: return L"UTF-16 big-endian";
    case RecordEncoding::Utf8Bom: return L"UTF-8 with a byte-order mark";
    case RecordEncoding::Binary: return L"not text";
  }
  return L"?";
}

RecordTextCheck CheckRecordText(std::wstring_view text) {
  RecordTextCheck check;
  TextStore store;
  std::wstring section;  // upper case; empty before the first section
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(L"\r\n");
    std::wstring_view raw = text.substr(0, end);
    text = end == std::wstring_view::npos ? std::wstring_view{} : text.substr(end + 1);
    if (end != std::wstring_view::npos && !text.empty() && text.front() == L'\n' && raw.data()[raw.size()] == L'\r')
      text.remove_prefix(1);
    ++lineNumber;
    if (!raw.empty() && raw.back() == L'\x1A') raw.remove_suffix(1);  // an old editor's end-of-file mark
    const std::wstring_view line = Trim(raw);
    if (line.empty() || line.front() == L';') continue;
    bool bad = false;
    for (wchar_t c : line) bad = bad || IsControl(c);
    if (!bad && line.front() == L'[') {
      const std::size_t close = line.find(L']');
      if (close != std::wstring_view::npos) {
        section = Upper(Trim(line.substr(1, close - 1)));
        store.Open(section);
        continue;
      }
      bad = true;
    }
    const std::size_t equals = line.find(L'=');
    if (!bad && equals != std::wstring_view::npos && equals > 0 && !section.empty()) {
      store.Add(section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
      continue;
    }
    check.problems.push_back(L"line " + std::to_wstring(lineNumber) + L" is not an INI line");
  }
  CheckCount(store, L"Junctions", L"Junction_", L"Src", check.problems);
  CheckCount(store, L"OldFolders", L"OldFolder_", L"Old", check.problems);
  check.records = LoadRecords(store);
  return check;
}

}  // namespace vorlan
