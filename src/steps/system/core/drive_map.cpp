#include "steps/system/core/drive_map.h"

#include "platform/core/path_join.h"
#include "steps/files/core/junction_records.h"

namespace vorlan {
namespace {

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Upper(text[i]) != Upper(prefix[i])) return false;
  return true;
}

MapDecision Refuse(std::wstring reason, long error) { return {MapAction::Refuse, std::move(reason), error}; }

}  // namespace

std::optional<wchar_t> ParseDriveLetter(std::wstring_view value) {
  if (value.empty() || value.size() > 3) return std::nullopt;
  const wchar_t letter = Upper(value[0]);
  if (letter < L'A' || letter > L'Z') return std::nullopt;
  if (value.size() >= 2 && value[1] != L':') return std::nullopt;
  if (value.size() == 3 && value[2] != L'\\') return std::nullopt;
  return letter;
}

std::wstring DriveName(wchar_t letter) { return {letter, L':'}; }

std::optional<MapDecision> JudgeMapDrive(std::wstring_view drive) {
  if (drive.empty()) return Refuse(L"[Map] has no Drive", kErrorInvalidParameter);
  if (!ParseDriveLetter(drive)) return Refuse(L"\"" + std::wstring(drive) + L"\" is not a drive letter", kErrorInvalidDrive);
  return std::nullopt;
}

MapTarget MapTargetFor(std::wstring_view value, std::wstring_view executableDirectory) {
  const bool absolute = (value.size() >= 2 && value[1] == L':') || value.starts_with(L"\\\\");
  std::wstring path = value.empty() ? std::wstring(executableDirectory)
                      : absolute    ? std::wstring(value)
                                    : PathJoin(executableDirectory, value);
  const MapSource source = path.starts_with(L"\\\\") ? MapSource::Share : MapSource::Folder;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  if (path.size() == 2 && path[1] == L':') path += L'\\';
  return {source, std::move(path)};
}

LetterState LetterStateOfDevicePath(std::wstring_view devicePath) {
  constexpr std::wstring_view kDosDevices = L"\\??\\";
  if (!devicePath.starts_with(kDosDevices)) return {LetterUse::Device, L"", std::wstring(devicePath)};
  std::wstring_view rest = devicePath.substr(kDosDevices.size());
  std::wstring target =
      StartsWithIgnoringCase(rest, L"UNC\\") ? L"\\\\" + std::wstring(rest.substr(4)) : std::wstring(rest);
  return {LetterUse::Mapping, std::move(target), std::wstring(devicePath)};
}

MapDecision DecideMap(wchar_t letter, const MapTarget& wanted, const LetterState& state,
                      const std::optional<std::wstring>& recorded) {
  const std::wstring drive = DriveName(letter);
  if (wanted.source == MapSource::Folder && wanted.path.size() >= 2 && wanted.path[1] == L':' &&
      Upper(wanted.path[0]) == letter) {
    // Started from the drive's root (the game menu mapped it): already there.
    if (wanted.path.size() <= 3) return {MapAction::Keep};
    return Refuse(L"the folder is on " + drive + L" itself", kErrorInvalidParameter);
  }
  switch (state.use) {
    case LetterUse::Free: return {MapAction::Define};
    case LetterUse::Device: return Refuse(drive + L" is a drive of this PC", kErrorAlreadyAssigned);
    case LetterUse::Remembered:
      return Refuse(drive + L" is kept for the network connection " + state.target + L", not connected now",
                    kErrorAlreadyAssigned);
    case LetterUse::Mapping:
    case LetterUse::Network: break;
  }
  if (SamePath(state.target, wanted.path)) return {MapAction::Keep};
  if (recorded && SamePath(*recorded, state.target)) return {MapAction::ReplaceOurs};
  return Refuse(drive + L" shows " + state.target + L", which this program did not map", kErrorAlreadyAssigned);
}

}  // namespace vorlan
