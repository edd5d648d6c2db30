#include "steps/registry/win/registry_writer.h"

#include <vector>

namespace vorlan::steps {
namespace {

using DeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

// RegDeleteKeyExW exists from XP x64 and Vista on; where it is missing
// there is only one view and RegDeleteKeyW serves.
long DeleteOneKey(HKEY parent, const std::wstring& name, REGSAM viewFlag) {
  static const DeleteKeyExFn deleteKeyEx = reinterpret_cast<DeleteKeyExFn>(
      ::GetProcAddress(::GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW"));
  if (deleteKeyEx) return deleteKeyEx(parent, name.c_str(), viewFlag, 0);
  return ::RegDeleteKeyW(parent, name.c_str());
}

long SetOnKey(HKEY key, const std::wstring& name, DWORD type, const void* data, DWORD size) {
  // For string types the system looks at the character after the byte
  // count and, when it is NUL, stores it too. Two non-zero guard bytes keep
  // that look inside our buffer and the stored bytes as given.
  std::vector<BYTE> guarded(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  guarded.insert(guarded.end(), {0xFF, 0xFF});
  return ::RegSetValueExW(key, name.c_str(), 0, type, size == 0 ? nullptr : guarded.data(), size);
}

}  // namespace

HKEY RootKeyHandle(RegRootKey root) {
  switch (root) {
    case RegRootKey::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegRootKey::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegRootKey::Users:
      return HKEY_USERS;
    case RegRootKey::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RegRootKey::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

long DeleteKeyTree(HKEY root, const std::wstring& path, REGSAM viewFlag) {
  OS::ScopedRegKey key;
  LONG result = ::RegOpenKeyExW(root, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE | viewFlag,
                                key.Receive());
  if (result == ERROR_FILE_NOT_FOUND) return 0;
  if (result != ERROR_SUCCESS) return result;
  // Subkeys first, always the first one left, so that a failure ends the walk.
  for (;;) {
    wchar_t name[256];
    DWORD chars = 256;
    result = ::RegEnumKeyExW(key.Get(), 0, name, &chars, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) return result;
    if (const long child = DeleteKeyTree(key.Get(), std::wstring(name, chars), viewFlag); child != 0) return child;
  }
  key.Close();
  // The relative path is resolved from the root again, in the same view.
  result = DeleteOneKey(root, path, viewFlag);
  return result == ERROR_FILE_NOT_FOUND ? 0 : result;
}

long WriteRegistryValue(HKEY root, const std::wstring& keyPath, REGSAM viewFlag, const std::wstring& name,
                        DWORD type, const void* data, DWORD size) {
  OS::ScopedRegKey key;
  const LONG created = ::RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_SET_VALUE | viewFlag, nullptr, key.Receive(), nullptr);
  if (created != ERROR_SUCCESS) return created;
  return SetOnKey(key.Get(), name, type, data, size);
}

long CRegistryWriter::OpenKey(RegRootKey root, const std::wstring& path) {
  return ::RegCreateKeyExW(RootKeyHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_SET_VALUE | KEY_QUERY_VALUE | view_, nullptr, key_.Receive(), nullptr);
}

long CRegistryWriter::SetValue(const std::wstring& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (!key_) return ERROR_INVALID_HANDLE;
  return SetOnKey(key_.Get(), name, type, data.data(), static_cast<DWORD>(data.size()));
}

long CRegistryWriter::DeleteValue(const std::wstring& name) {
  if (!key_) return ERROR_INVALID_HANDLE;
  const LONG result = ::RegDeleteValueW(key_.Get(), name.c_str());
  return result == ERROR_FILE_NOT_FOUND ? 0 : result;
}

long CRegistryWriter::DeleteTree(RegRootKey root, const std::wstring& path) {
  key_.Close();
  return DeleteKeyTree(RootKeyHandle(root), path, view_);
}

}  // namespace vorlan::steps
