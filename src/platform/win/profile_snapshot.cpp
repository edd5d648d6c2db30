#include "platform/win/profile_snapshot.h"

#include <windows.h>

namespace OS {
namespace {

// A section or name list larger than this is not kept.
constexpr DWORD kLargestList = 1u << 20;

// One of the list calls, with a buffer grown until the list fits; nullopt
// when it never does. The calls say "did not fit" by filling the buffer up
// to two characters short of its size.
template <typename Call>
std::optional<std::wstring> ReadList(Call call) {
  for (DWORD size = 4096; size <= kLargestList; size *= 4) {
    std::wstring buffer(size, L'\0');
    const DWORD n = call(buffer.data(), size);
    if (n + 2 < size) {
      buffer.resize(n);
      return buffer;
    }
  }
  return std::nullopt;
}

}  // namespace

vorlan::profile::Answer ProfileSnapshot::Find(const std::wstring& section, const std::wstring& key,
                                              std::wstring& value) {
  using vorlan::profile::Answer;
  std::lock_guard<std::mutex> guard(lock_);
  if (!names_) {
    names_ = ReadList([&](wchar_t* buffer, DWORD size) {
      return ::GetPrivateProfileSectionNamesW(buffer, size, path_.c_str());
    });
    if (!names_) return Answer::AskSystem;
  }
  if (vorlan::profile::FindSection(*names_, section) == Answer::Missing) return Answer::Missing;
  const Section& entries = Load(std::wstring(vorlan::profile::TrimBlanks(section)));
  if (entries.askSystem) return Answer::AskSystem;
  return vorlan::profile::FindValue(entries.entries, key, value);
}

const ProfileSnapshot::Section& ProfileSnapshot::Load(const std::wstring& section) {
  auto found = sections_.find(section);
  if (found != sections_.end()) return found->second;
  Section loaded;
  std::optional<std::wstring> list = ReadList([&](wchar_t* buffer, DWORD size) {
    return ::GetPrivateProfileSectionW(section.c_str(), buffer, size, path_.c_str());
  });
  if (list) {
    loaded.entries = vorlan::profile::ParseSectionList(*list);
  } else {
    loaded.askSystem = true;
  }
  return sections_.emplace(section, std::move(loaded)).first->second;
}

void ProfileSnapshot::Forget() {
  std::lock_guard<std::mutex> guard(lock_);
  names_.reset();
  sections_.clear();
}

}  // namespace OS
