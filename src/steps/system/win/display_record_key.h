#pragma once
// Where the display record lives (docs/display-record.md): a volatile
// registry key, so that the record ends with the Windows session, as the
// dynamic mode change it undoes does.

#include <windows.h>

#include <optional>
#include <string>

class DisplayRecordKey {
 public:
  static constexpr wchar_t kKey[] = L"SOFTWARE\\VorlanDisplay";

  explicit DisplayRecordKey(HKEY root = HKEY_LOCAL_MACHINE, std::wstring key = kKey)
      : root_(root), key_(std::move(key)) {}

  // The value "Mode"; nullopt when there is no record. A key without the
  // value reads as an empty text (a record that cannot be used).
  std::optional<std::wstring> ReadMode() const;
  // Makes the key (volatile) with "Mode" and "Game"; a system error code.
  long Write(const std::wstring& mode, const std::wstring& game);
  // Removes the key; 0 also when it was not there.
  long Remove();

  std::wstring Where() const;

 private:
  HKEY root_;
  std::wstring key_;
};
