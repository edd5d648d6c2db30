#pragma once
// Step "Map": the rules that need no Windows. Which drive letter [Map]
// names, which folder or share that letter is to show, what the system's
// answer about a letter means, and what to do: keep the letter, define it,
// replace a mapping this program made for another game, or refuse. The
// Win32 side (steps/system/win/map_step.cpp) looks at the letter, keeps the record
// of the mappings it made and carries the decision out.

#include <optional>
#include <string>
#include <string_view>

namespace vorlan {

// "Z", "z", "Z:" and "Z:\" name drive Z (returned upper case); anything
// else names no drive.
std::optional<wchar_t> ParseDriveLetter(std::wstring_view value);

// "Z:"
std::wstring DriveName(wchar_t letter);

enum class MapSource { Folder, Share };

struct MapTarget {
  MapSource source = MapSource::Folder;
  std::wstring path;  // "C:\Games\X", "C:\" or "\\server\share"
};

// What [Map] Path asks for, any folder macro already resolved: empty is the
// executable's folder; "\\server\share" a share; "X:..." a folder as it
// stands; anything else a folder below the executable's folder. Trailing
// backslashes are dropped, except the one of a drive's root ("C:\"; "C:"
// alone is that root too).
MapTarget MapTargetFor(std::wstring_view value, std::wstring_view executableDirectory);

enum class LetterUse {
  Free,        // nothing is defined for the letter
  Device,      // a disk, optical drive or virtual disk of the PC
  Mapping,     // a folder or share defined onto the letter (as "subst" does)
  Network,     // a network connection
  Remembered,  // a remembered network connection that is not connected
};

struct LetterState {
  LetterUse use = LetterUse::Free;
  std::wstring target;      // Mapping, Network, Remembered: the folder or share it shows
  std::wstring devicePath;  // what the device query returned ("\??\C:\x"), for an exact removal
};

// The first answer of the system's device query for a letter as a state:
// "\??\C:\x" is a mapping onto C:\x, "\??\UNC\server\share" one onto
// \\server\share; anything else ("\Device\HarddiskVolume1") is a device.
// Network connections are told apart before, by asking the network.
LetterState LetterStateOfDevicePath(std::wstring_view devicePath);

enum class MapAction { Keep, Define, ReplaceOurs, Refuse };

struct MapDecision {
  MapAction action = MapAction::Refuse;
  std::wstring reason;  // Refuse: why, as the result line shows it
  long error = 0;       // Refuse: the system error code the log line adds
};

// The system error codes of refusals.
inline constexpr long kErrorInvalidDrive = 15;      // not a drive letter
inline constexpr long kErrorAlreadyAssigned = 85;   // the letter is taken
inline constexpr long kErrorInvalidParameter = 87;  // the target cannot be mapped there

// [Map] "Drive" before anything of the PC is looked at: the refusal of a
// value that is empty or names no drive letter; nothing for a letter.
std::optional<MapDecision> JudgeMapDrive(std::wstring_view drive);

// `recorded`: the target this program recorded for the letter when it
// mapped it, if it did. A letter is this program's only while it still
// shows what was recorded.
MapDecision DecideMap(wchar_t letter, const MapTarget& wanted, const LetterState& state,
                      const std::optional<std::wstring>& recorded);

}  // namespace vorlan
