// Step "Display" and the restore of the PC's own display mode.

#include "steps/system/win/display_step.h"

#include <windows.h>

#include <algorithm>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "step_context/win/step_context.h"
#include "steps/system/core/display_record.h"
#include "steps/pipeline/core/white_list.h"

namespace vorlan::steps {
namespace {

// The caps of the pipeline: sub-processes of a run, steps of a sub-process.
constexpr int kMaxSubProcesses = 64;
constexpr int kMaxSteps = 64;

std::wstring Refusal(long result) {
  return vorlan::fmt::Format(L"the system refused the mode (%s)", std::wstring(DisplayChangeResultName(result)));
}

class DisplayReport {
 public:
  explicit DisplayReport(StepContext& context) : context_(context) {}

  void Success(const std::wstring& logText, const DisplayMode& mode) {
    CLogMgr::GetInstance().Log(4, L"DisplayOption: CVorlanDlg::ProcessDisplay. %s, Success", logText);
    context_.PrintInfo(L"Display " + FormatDisplayMode(mode) + L", Success");
  }
  void Failure(const std::wstring& what, const std::wstring& reason) {
    CLogMgr::GetInstance().Log(32, L"DisplayOption: CVorlanDlg::ProcessDisplay. Set %s, Failed: %s", what, reason);
    context_.PrintInfo(L"Display " + what + L", Failed: " + reason);
  }
  void Refused(const DisplayMode& mode, long result) {
    CLogMgr::GetInstance().Log(32, L"DisplayOption: CVorlanDlg::ProcessDisplay. Set %s, Failed: %s, result %d",
                               FormatDisplayMode(mode), Refusal(result), static_cast<int>(result));
    context_.PrintInfo(L"Display " + FormatDisplayMode(mode) + L", Failed: " + Refusal(result));
  }

 private:
  StepContext& context_;
};

}  // namespace

DisplayRequestParse ReadDisplayRequest(const OS::IniFile& options) {
  return ParseDisplayRequest({options.ReadString(L"Display", L"Width"), options.ReadString(L"Display", L"Height"),
                              options.ReadString(L"Display", L"BitsPerPel"),
                              options.ReadString(L"Display", L"Frequency")});
}

void RunDisplay(StepContext& context, DisplayDevice& display, DisplayRecordKey& record) {
  CLogMgr& log = CLogMgr::GetInstance();
  DisplayReport report(context);
  const DisplayRequestParse parse = ReadDisplayRequest(context.Options());
  if (!parse.error.empty()) return report.Failure(L"[Display]", parse.error);

  const std::optional<std::wstring> recordText = record.ReadMode();
  if (!recordText && parse.request.KeepsEverything()) {
    log.Log(4, L"DisplayOption: CVorlanDlg::ProcessDisplay. [Display] asks for no change, the mode stays");
    return;
  }
  const std::wstring what = FormatDisplayRequest(parse.request);
  const std::optional<DisplayMode> current = display.Current();
  if (!current) return report.Failure(what, L"cannot read the display's current mode");

  std::optional<DisplayMode> own = recordText ? ParseDisplayRecord(*recordText) : std::nullopt;
  if (recordText && !own) {
    log.Log(16, L"DisplayOption: CVorlanDlg::ProcessDisplay. The display record \"%s\" in %s holds no mode; the current mode counts as the PC's own",
            *recordText, record.Where());
  }
  const DisplayMode base = own ? *own : *current;
  const std::vector<DisplayMode> supported = display.Supported();
  const DisplayDecision decision = DecideDisplayMode(*current, base, supported, parse.request);
  const auto removeWhenOwn = [&](const DisplayMode& now) {
    if (own && now == *own && record.Remove() == ERROR_SUCCESS)
      log.Log(4, L"DisplayOption: CVorlanDlg::ProcessDisplay. The PC's own mode %s is set again, record %s removed",
              FormatDisplayMode(now), record.Where());
  };

  switch (decision.kind) {
    case DisplayDecisionKind::Unsupported:
      return report.Failure(what, decision.reason);
    case DisplayDecisionKind::NoChange:
      report.Success(FormatDisplayMode(decision.mode) + L" is set already", decision.mode);
      return removeWhenOwn(decision.mode);
    case DisplayDecisionKind::Change:
      break;
  }

  const DisplayMode& target = decision.mode;
  const long test = display.Change(target, true);
  if (test != DISP_CHANGE_SUCCESSFUL) return report.Refused(target, test);

  // The PC's own mode is recorded before the first change; a record that is
  // there already holds it (an earlier game changed the mode).
  bool recorded = false;
  if (!own) {
    const long error = record.Write(SerializeDisplayRecord(*current), context.Options().Path());
    if (error != ERROR_SUCCESS) {
      record.Remove();
      return report.Failure(FormatDisplayMode(target),
                            vorlan::fmt::Format(L"cannot record the PC's own mode in %s, error %d", record.Where(),
                                                static_cast<int>(error)));
    }
    recorded = true;
    log.Log(4, L"DisplayOption: CVorlanDlg::ProcessDisplay. The PC's own mode %s is recorded in %s",
            FormatDisplayMode(*current), record.Where());
  }

  const long result = display.Change(target, false);
  if (result == DISP_CHANGE_SUCCESSFUL) {
    report.Success(L"Set " + FormatDisplayMode(target), target);
    return removeWhenOwn(target);
  }
  report.Refused(target, result);
  // Nothing changed: the record made for this change is not needed.
  if (recorded && display.Current() == current) record.Remove();
}

DisplayRestore RestoreDisplay(DisplayDevice& display, DisplayRecordKey& record) {
  DisplayRestore restore;
  const std::optional<std::wstring> text = record.ReadMode();
  if (!text) return restore;
  const std::optional<DisplayMode> own = ParseDisplayRecord(*text);
  if (!own) {
    restore.state = DisplayRestore::State::BadRecord;
    restore.recordText = *text;
    record.Remove();
    return restore;
  }
  restore.mode = *own;
  if (display.Current() == own) {
    restore.state = DisplayRestore::State::AlreadySet;
    record.Remove();
    return restore;
  }
  restore.result = display.Change(*own, false);
  if (restore.result != DISP_CHANGE_SUCCESSFUL) {
    restore.state = DisplayRestore::State::Refused;
    return restore;
  }
  restore.state = DisplayRestore::State::Restored;
  record.Remove();
  return restore;
}

bool ListsDisplayStep(const OS::IniFile& options) {
  const auto isDisplay = [](const std::wstring& name) { return name == L"Display"; };
  const std::vector<std::wstring> whiteList = SplitStepList(options.ReadString(L"Control", L"Exclude"));
  if (std::any_of(whiteList.begin(), whiteList.end(), isDisplay)) return true;
  const int processes = std::min(options.ReadInt(L"ProcessMgr", L"Argc", 0), kMaxSubProcesses);
  for (int n = 0; n < processes; ++n) {
    const std::wstring section = vorlan::fmt::Format(L"%s_%d", L"ProcessMgr", n);
    const int steps = std::min(options.ReadInt(section, L"Argc", 0), kMaxSteps);
    for (int i = 0; i < steps; ++i)
      if (isDisplay(options.ReadString(section, vorlan::fmt::Format(L"%s_%d", L"Argument", i)))) return true;
  }
  return false;
}

void RestoreDisplayAtRunStart(StepContext& context, DisplayDevice& display, DisplayRecordKey& record) {
  CLogMgr& log = CLogMgr::GetInstance();
  if (!record.ReadMode()) return;
  if (ListsDisplayStep(context.Options())) {
    log.Log(4, L"DisplayOption: CVorlanDlg::RestoreDisplay. A display record is in %s; this game lists \"Display\", its step decides the mode",
            record.Where());
    return;
  }
  const DisplayRestore restore = RestoreDisplay(display, record);
  const std::wstring mode = FormatDisplayMode(restore.mode);
  switch (restore.state) {
    case DisplayRestore::State::NoRecord:
      return;
    case DisplayRestore::State::BadRecord:
      log.Log(32, L"DisplayOption: CVorlanDlg::RestoreDisplay. The display record \"%s\" in %s holds no mode, removed",
              restore.recordText, record.Where());
      return;
    case DisplayRestore::State::AlreadySet:
      log.Log(4, L"DisplayOption: CVorlanDlg::RestoreDisplay. Restore %s, Success (set already)", mode);
      break;
    case DisplayRestore::State::Restored:
      log.Log(4, L"DisplayOption: CVorlanDlg::RestoreDisplay. Restore %s, Success", mode);
      break;
    case DisplayRestore::State::Refused:
      log.Log(32, L"DisplayOption: CVorlanDlg::RestoreDisplay. Restore %s, Failed: %s, result %d", mode,
              Refusal(restore.result), static_cast<int>(restore.result));
      context.PrintInfo(L"Display restore " + mode + L", Failed: " + Refusal(restore.result));
      return;
  }
  context.PrintInfo(L"Display restore " + mode + L", Success");
}

void RestoreDisplayAtRunStart(StepContext& context) {
  PrimaryDisplay display;
  DisplayRecordKey record;
  RestoreDisplayAtRunStart(context, display, record);
}

}  // namespace vorlan::steps
