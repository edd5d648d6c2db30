#include "steps/files/core/junction_records.h"

#include <cwctype>

#include "platform/core/path_hash.h"

namespace vorlan {
namespace {

constexpr wchar_t kJunctions[] = L"Junctions";
constexpr wchar_t kOldFolders[] = L"OldFolders";
constexpr wchar_t kNum[] = L"Num";

std::wstring JunctionSection(int i) { return L"Junction_" + std::to_wstring(i); }
std::wstring OldFolderSection(int i) { return L"OldFolder_" + std::to_wstring(i); }

// A count as the private-profile integer reader takes it: leading decimal
// digits; anything else is 0.
int ReadCount(const RecordStore& store, const wchar_t* section) {
  const std::wstring text = store.Read(section, kNum);
  long long value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    value = value * 10 + (c - L'0');
    if (value > kMaxRecords) return kMaxRecords;
  }
  return static_cast<int>(value);
}

bool WriteJunction(RecordStore& store, int i, const JunctionRecord& r) {
  const std::wstring section = JunctionSection(i);
  return store.Write(section, L"Dst", r.dst) && store.Write(section, L"Src", r.src) &&
         store.Write(section, L"Made", r.made ? L"1" : L"0");
}

bool WriteOldFolder(RecordStore& store, int i, const OldFolderRecord& r) {
  const std::wstring section = OldFolderSection(i);
  return store.Write(section, L"Dst", r.dst) && store.Write(section, L"Old", r.old);
}

std::wstring_view WithoutTrailingBackslashes(std::wstring_view p) {
  while (p.size() > 1 && p.back() == L'\\') p.remove_suffix(1);
  return p;
}

}  // namespace

JunctionRecordSet LoadRecords(const RecordStore& store) {
  JunctionRecordSet set;
  const int junctions = ReadCount(store, kJunctions);
  for (int i = 0; i < junctions; ++i) {
    const std::wstring section = JunctionSection(i);
    JunctionRecord r{store.Read(section, L"Dst"), store.Read(section, L"Src"), store.Read(section, L"Made") != L"0"};
    if (!r.dst.empty()) set.junctions.push_back(std::move(r));
  }
  const int oldFolders = ReadCount(store, kOldFolders);
  for (int i = 0; i < oldFolders; ++i) {
    const std::wstring section = OldFolderSection(i);
    OldFolderRecord r{store.Read(section, L"Dst"), store.Read(section, L"Old")};
    if (!r.dst.empty() && !r.old.empty()) set.oldFolders.push_back(std::move(r));
  }
  return set;
}

bool AppendJunction(RecordStore& store, const JunctionRecord& record) {
  const int n = ReadCount(store, kJunctions);
  if (n >= kMaxRecords) return false;
  return WriteJunction(store, n, record) && store.Write(kJunctions, kNum, std::to_wstring(n + 1));
}

bool AppendOldFolder(RecordStore& store, const OldFolderRecord& record) {
  const int n = ReadCount(store, kOldFolders);
  if (n >= kMaxRecords) return false;
  return WriteOldFolder(store, n, record) && store.Write(kOldFolders, kNum, std::to_wstring(n + 1));
}

bool ReplaceRecords(RecordStore& store, const JunctionRecordSet& records) {
  const int junctions = ReadCount(store, kJunctions);
  const int oldFolders = ReadCount(store, kOldFolders);
  // Counts first: from here on nothing stale is counted.
  bool ok = store.Write(kJunctions, kNum, L"0");
  ok = store.Write(kOldFolders, kNum, L"0") && ok;
  for (int i = 0; i < junctions; ++i) ok = store.DeleteSection(JunctionSection(i)) && ok;
  for (int i = 0; i < oldFolders; ++i) ok = store.DeleteSection(OldFolderSection(i)) && ok;
  for (const JunctionRecord& r : records.junctions) ok = AppendJunction(store, r) && ok;
  for (const OldFolderRecord& r : records.oldFolders) ok = AppendOldFolder(store, r) && ok;
  return ok;
}

std::wstring OldFolderName(std::wstring_view dst, int attempt) {
  std::wstring name(WithoutTrailingBackslashes(dst));
  name += L".VorlanOld";
  if (attempt > 0) name += std::to_wstring(attempt);
  return name;
}

std::wstring RecordLockName(std::wstring_view path) {
  std::wstring name = L"VorlanJunctionRecords:";
  std::wstring normal;
  for (wchar_t c : WithoutTrailingBackslashes(path))
    normal += c == L'\\' ? L'/' : static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  // Object names end at 260 characters: a longer path is named by its hash.
  if (name.size() + normal.size() > 200) return name + L"#" + PathHashHex(path);
  return name + normal;
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
  a = WithoutTrailingBackslashes(a);
  b = WithoutTrailingBackslashes(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  return true;
}

}  // namespace vorlan
