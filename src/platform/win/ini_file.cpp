#include "platform/win/ini_file.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "platform/win/profile_snapshot.h"

namespace OS {

using vorlan::profile::Answer;

namespace {
std::atomic<IniFile::ReadObserver*> g_observer{nullptr};

void Observe(const std::wstring& path, const std::wstring& section, const std::wstring& key) {
  if (IniFile::ReadObserver* observer = g_observer.load()) observer->Read(path, section, key);
}
}  // namespace

void IniFile::SetReadObserver(ReadObserver* observer) { g_observer.store(observer); }

void IniFile::ReadString(const std::wstring& section, const std::wstring& key, std::wstring& out,
                         unsigned maxChars) const {
  Observe(path_, section, key);
  if (snapshot_) {
    std::wstring value;
    switch (snapshot_->Find(section, key, value)) {
      case Answer::Found:
        if (!value.empty() && maxChars > 0) out = value.substr(0, maxChars);
        return;
      case Answer::Missing:
        return;
      case Answer::AskSystem:
        break;
    }
  }
  std::vector<wchar_t> buffer(maxChars + 1, L'\0');
  DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), ReadPath().c_str());
  if (n > 0) out.assign(buffer.data(), n);
}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key, unsigned maxChars) const {
  std::wstring value;
  ReadString(section, key, value, maxChars);
  return value;
}

int IniFile::ReadInt(const std::wstring& section, const std::wstring& key, int defaultValue) const {
  Observe(path_, section, key);
  if (snapshot_) {
    std::wstring value;
    const Answer answer = snapshot_->Find(section, key, value);
    if (answer == Answer::Missing) return defaultValue;
    if (answer == Answer::Found) {
      if (std::optional<int> plain = vorlan::profile::PlainDecimal(value)) return *plain;
    }
  }
  return static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, ReadPath().c_str()));
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
  if (!copyPath_.empty()) ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), copyPath_.c_str());
  if (snapshot_) snapshot_->Forget();
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

bool IniFile::ReadFromCopy(const std::wstring& copyPath) {
  if (!::CopyFileW(path_.c_str(), copyPath.c_str(), FALSE)) return false;
  ::SetFileAttributesW(copyPath.c_str(), FILE_ATTRIBUTE_NORMAL);
  copyPath_ = copyPath;
  snapshot_ = std::make_shared<ProfileSnapshot>(copyPath_);
  return true;
}

bool IniFile::WriteInt(const std::wstring& section, const std::wstring& key, int value) const {
  return WriteString(section, key, std::to_wstring(value));
}

}  // namespace OS
