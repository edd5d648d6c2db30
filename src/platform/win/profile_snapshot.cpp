#include "platform/win/profile_snapshot.h"

#include <windows.h>

namespace OS {
namespace {

// Lists this long or longer are not kept, their keys are read from the
// file one by one: older versions of Windows cap a section listing at
// 32,767 characters.
constexpr DWORD kLongestList = 32766;

// One of the list calls, with a buffer grown until the list fits; nullopt
// when it is too long to trust. The calls say "did not fit" by filling the
// buffer up to two characters short of its size.
template <typename Call>
std::optional<std::wstring> ReadList(Call call) {
  for (DWORD size = 4096;; size *= 4) {
    std::wstring buffer(size, L'\0');
    const DWORD n = call(buffer.data(), size);
    if (n >= kLongestList) return std::nullopt;
    if (n + 2 < size) {
      buffer.resize(n);
      return buffer;
    }
  }
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
