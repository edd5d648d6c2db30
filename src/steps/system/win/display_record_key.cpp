#include "steps/system/win/display_record_key.h"

#include <vector>

#include "platform/win/scoped_resource.h"

namespace {

long SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::optional<std::wstring> DisplayRecordKey::ReadMode() const {
  OS::ScopedRegKey key;
  if (::RegOpenKeyExW(root_, key_.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) return std::nullopt;
  std::vector<wchar_t> buffer(256, L'\0');
  DWORD type = 0;
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  if (::RegQueryValueExW(key.Get(), L"Mode", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return std::wstring();
  return std::wstring(buffer.data());
}

long DisplayRecordKey::Write(const std::wstring& mode, const std::wstring& game) {
  // Only the record's own key is volatile: keys made on the way to it stay
  // ordinary, or no ordinary key could ever be made below them.
  const std::size_t leaf = key_.rfind(L'\\');
  OS::ScopedRegKey parent;
  long result = leaf == std::wstring::npos
                    ? ERROR_SUCCESS
                    : ::RegCreateKeyExW(root_, key_.substr(0, leaf).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_CREATE_SUB_KEY, nullptr, parent.Receive(), nullptr);
  if (result != ERROR_SUCCESS) return result;
  OS::ScopedRegKey key;
  const std::wstring name = leaf == std::wstring::npos ? key_ : key_.substr(leaf + 1);
  result = ::RegCreateKeyExW(parent ? parent.Get() : root_, name.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                             KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
  if (result != ERROR_SUCCESS) return result;
  // "Game" first: "Mode" is what makes a record, and it comes last.
  result = SetString(key.Get(), L"Game", game);
  if (result == ERROR_SUCCESS) result = SetString(key.Get(), L"Mode", mode);
  return result;
}

long DisplayRecordKey::Remove() {
  const long result = ::RegDeleteKeyW(root_, key_.c_str());
  return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

std::wstring DisplayRecordKey::Where() const {
  const wchar_t* root = root_ == HKEY_LOCAL_MACHINE ? L"HKLM\\" : root_ == HKEY_CURRENT_USER ? L"HKCU\\" : L"";
  return root + key_;
}
