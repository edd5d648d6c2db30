#include "check/win/restore_display.h"

#include "platform/core/wformat.h"
#include "steps/system/win/display_step.h"

namespace vorlan::check {

int RestoreDisplayCommand(const std::function<void(const std::wstring&)>& out) {
  PrimaryDisplay display;
  DisplayRecordKey record;
  const steps::DisplayRestore restore = steps::RestoreDisplay(display, record);
  const std::wstring mode = FormatDisplayMode(restore.mode);
  using State = steps::DisplayRestore::State;
  switch (restore.state) {
    case State::NoRecord:
      out(L"no display record in " + record.Where() + L": nothing to restore");
      return 0;
    case State::Restored:
      out(L"restored the PC's own display mode " + mode + L"; the record in " + record.Where() + L" is removed");
      return 0;
    case State::AlreadySet:
      out(L"the PC's own display mode " + mode + L" is set already; the record in " + record.Where() + L" is removed");
      return 0;
    case State::BadRecord:
      out(L"the display record \"" + restore.recordText + L"\" in " + record.Where() +
          L" holds no mode: nothing is restored, the record is removed");
      return 1;
    case State::Refused:
      break;
  }
  out(fmt::Format(L"cannot restore the display mode %s: the system refused it (%s), result %d; the record stays in %s",
                  mode, std::wstring(DisplayChangeResultName(restore.result)), static_cast<int>(restore.result),
                  record.Where()));
  return 2;
}

}  // namespace vorlan::check
