#include "steps/win/map_step.h"

#include <windows.h>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "steps/context/step_context.h"
#include "steps/core/drive_map.h"
#include "steps/win/drive_letters.h"
#include "steps/win/entry_failure.h"
#include "steps/win/map_records.h"
#include "steps/win/translate_path.h"

namespace vorlan::steps {
namespace {

constexpr wchar_t kSection[] = L"Map";

std::optional<EntryFailure> MissingFolder(const std::wstring& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return EntryFailure{L"the folder does not exist", static_cast<long>(::GetLastError())};
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return EntryFailure{L"it is not a folder", ERROR_DIRECTORY};
  return std::nullopt;
}

// Records, then makes the mapping; a mapping that cannot be made leaves no
// record behind (unless a share may still connect after the time limit).
std::optional<EntryFailure> MakeMapping(wchar_t letter, const MapTarget& target, MapRecords& records) {
  if (const long error = records.Write(letter, target.path)) return EntryFailure{L"cannot record the mapping", error};
  if (target.source == MapSource::Folder) {
    const long error = DefineFolderMapping(letter, target.path);
    if (error == 0) return std::nullopt;
    records.Remove(letter);
    return EntryFailure{L"the drive cannot be defined", error};
  }
  const std::optional<long> error = ConnectShare(letter, target.path, kShareTimeoutMs);
  if (!error) {
    return EntryFailure{fmt::Format(L"the share did not answer within %d s", static_cast<int>(kShareTimeoutMs / 1000)),
                        ERROR_TIMEOUT};
  }
  if (*error == 0) return std::nullopt;
  records.Remove(letter);
  return EntryFailure{L"the share cannot be connected", *error};
}

std::optional<EntryFailure> Map(wchar_t letter, const MapTarget& target) {
  CLogMgr& log = CLogMgr::GetInstance();
  if (target.source == MapSource::Folder)
    if (std::optional<EntryFailure> missing = MissingFolder(target.path)) return missing;
  const LetterQuery query = QueryLetter(letter);
  if (query.error) return EntryFailure{L"cannot read what " + DriveName(letter) + L" shows", query.error};
  MapRecords records;
  const MapDecision decision = DecideMap(letter, target, query.state, records.Read(letter));
  switch (decision.action) {
    case MapAction::Refuse: return EntryFailure{decision.reason, decision.error};
    case MapAction::Keep:
      log.Log(4, L"MapOption: CVorlanDlg::ProcessMap. %s already shows %s, kept", DriveName(letter), target.path);
      return std::nullopt;
    case MapAction::ReplaceOurs:
      if (const long error = RemoveMapping(letter, query.state)) {
        return EntryFailure{L"cannot remove the mapping to " + query.state.target + L" made for another game", error};
      }
      log.Log(4, L"MapOption: CVorlanDlg::ProcessMap. Remove %s -> %s, made for another game, Success", DriveName(letter),
              query.state.target);
      [[fallthrough]];
    case MapAction::Define: return MakeMapping(letter, target, records);
  }
  return std::nullopt;
}

}  // namespace

void RunMap(StepContext& context) {
  const OS::IniFile& options = context.Options();
  const std::wstring drive = options.ReadString(kSection, L"Drive");
  const MapTarget target =
      MapTargetFor(ResolveMacroPrefixedPath(options.ReadString(kSection, L"Path"), false), context.ExecutableDirectory());
  const std::optional<wchar_t> letter = ParseDriveLetter(drive);
  const std::wstring what = (letter ? DriveName(*letter) : drive) + L" -> " + target.path;

  std::optional<EntryFailure> failure;
  if (drive.empty()) {
    failure = EntryFailure{L"[Map] has no Drive", kErrorInvalidParameter};
  } else if (!letter) {
    failure = EntryFailure{L"\"" + drive + L"\" is not a drive letter", kErrorInvalidDrive};
  } else {
    failure = Map(*letter, target);
  }

  CLogMgr& log = CLogMgr::GetInstance();
  if (!failure) {
    context.SetProgramDirectory(DriveName(*letter));
    log.Log(4, L"MapOption: CVorlanDlg::ProcessMap. Map %s, Success", what);
    context.PrintInfo(L"Map " + what + L", Success");
    return;
  }
  log.Log(32, L"MapOption: CVorlanDlg::ProcessMap. Map %s, Failed: %s, error %d", what, failure->reason,
          static_cast<int>(failure->error));
  context.PrintInfo(L"Map " + what + L", Failed: " + failure->reason);
}

}  // namespace vorlan::steps
