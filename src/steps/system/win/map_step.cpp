#include "steps/system/win/map_step.h"

#include <windows.h>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "step_context/win/step_context.h"
#include "steps/system/win/drive_letters.h"
#include "steps/pipeline/win/entry_failure.h"
#include "steps/system/win/map_records.h"
#include "steps/pipeline/win/translate_path.h"

namespace vorlan::steps {
namespace {

constexpr wchar_t kSection[] = L"Map";

MapDecision Refused(std::wstring reason, long error) { return {MapAction::Refuse, std::move(reason), error}; }

std::optional<MapDecision> MissingFolder(const std::wstring& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return Refused(L"the folder does not exist", static_cast<long>(::GetLastError()));
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Refused(L"it is not a folder", ERROR_DIRECTORY);
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

std::optional<EntryFailure> CarryOut(const MapPlan& plan) {
  if (plan.decision.action == MapAction::Refuse) return EntryFailure{plan.decision.reason, plan.decision.error};
  CLogMgr& log = CLogMgr::GetInstance();
  const wchar_t letter = *plan.letter;
  MapRecords records;
  switch (plan.decision.action) {
    case MapAction::Refuse: break;
    case MapAction::Keep:
      log.Log(4, L"MapOption: CVorlanDlg::ProcessMap. %s already shows %s, kept", DriveName(letter), plan.target.path);
      return std::nullopt;
    case MapAction::ReplaceOurs:
      if (const long error = RemoveMapping(letter, plan.state)) {
        return EntryFailure{L"cannot remove the mapping to " + plan.state.target + L" made for another game", error};
      }
      log.Log(4, L"MapOption: CVorlanDlg::ProcessMap. Remove %s -> %s, made for another game, Success",
              DriveName(letter), plan.state.target);
      [[fallthrough]];
    case MapAction::Define: return MakeMapping(letter, plan.target, records);
  }
  return std::nullopt;
}

}  // namespace

MapPlan PlanMap(const OS::IniFile& options, const std::wstring& executableDirectory) {
  MapPlan plan;
  const std::wstring drive = options.ReadString(kSection, L"Drive");
  plan.target =
      MapTargetFor(ResolveMacroPrefixedPath(options.ReadString(kSection, L"Path"), false), executableDirectory);
  plan.letter = ParseDriveLetter(drive);
  plan.what = (plan.letter ? DriveName(*plan.letter) : drive) + L" -> " + plan.target.path;
  if (std::optional<MapDecision> refused = JudgeMapDrive(drive)) {
    plan.decision = *refused;
  } else if (std::optional<MapDecision> missing =
                 plan.target.source == MapSource::Folder ? MissingFolder(plan.target.path) : std::nullopt) {
    plan.decision = *missing;
  } else if (const LetterQuery query = QueryLetter(*plan.letter); query.error) {
    plan.decision = Refused(L"cannot read what " + DriveName(*plan.letter) + L" shows", query.error);
  } else {
    plan.state = query.state;
    plan.decision = DecideMap(*plan.letter, plan.target, plan.state, MapRecords().Read(*plan.letter));
  }
  return plan;
}

void RunMap(StepContext& context) {
  const MapPlan plan = PlanMap(context.Options(), context.ExecutableDirectory());
  const std::optional<EntryFailure> failure = CarryOut(plan);
  CLogMgr& log = CLogMgr::GetInstance();
  if (!failure) {
    context.SetProgramDirectory(DriveName(*plan.letter));
    log.Log(4, L"MapOption: CVorlanDlg::ProcessMap. Map %s, Success", plan.what);
    context.PrintInfo(L"Map " + plan.what + L", Success");
    return;
  }
  log.Log(32, L"MapOption: CVorlanDlg::ProcessMap. Map %s, Failed: %s, error %d", plan.what, failure->reason,
          static_cast<int>(failure->error));
  context.PrintInfo(L"Map " + plan.what + L", Failed: " + failure->reason);
}

}  // namespace vorlan::steps
