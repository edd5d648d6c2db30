#pragma once
// The record of the drive mappings this program made, so that a later run
// (of any game) knows which letters it may replace: one string value per
// letter ("Z:") holding the folder or share mapped there, under
// HKLM\Software\ZR_Vorlan\Map in the 64-bit view on 64-bit Windows. A
// record is written before its mapping is made. See docs/option-file.md
// (section "Map").

#include <optional>
#include <string>

namespace vorlan::steps {

class MapRecords {
 public:
  static constexpr wchar_t kKey[] = L"Software\\ZR_Vorlan\\Map";

  std::optional<std::wstring> Read(wchar_t letter) const;
  // 0 or the system error code.
  long Write(wchar_t letter, const std::wstring& target);
  long Remove(wchar_t letter);
};

}  // namespace vorlan::steps
