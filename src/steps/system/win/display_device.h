#pragma once
// The PC's primary display as the "Display" step sees it: its current mode,
// the modes it reports, and a change of mode. The step and the restore work
// through this interface; PrimaryDisplay is the system's.

#include <optional>
#include <vector>

#include "steps/system/core/display_mode.h"

class DisplayDevice {
 public:
  // nullopt when the system cannot tell.
  virtual std::optional<vorlan::DisplayMode> Current() const = 0;
  virtual std::vector<vorlan::DisplayMode> Supported() const = 0;
  // ChangeDisplaySettingsExW's result for `mode` (0: DISP_CHANGE_SUCCESSFUL).
  // `testOnly`: asks whether the mode would be taken, changes nothing.
  virtual long Change(const vorlan::DisplayMode& mode, bool testOnly) = 0;

 protected:
  ~DisplayDevice() = default;
};

// The primary display through EnumDisplaySettingsW and
// ChangeDisplaySettingsExW. A change is dynamic (flags 0): it outlives this
// process, and it is not written to the registry's stored mode, so the next
// restart of Windows brings the PC's own mode back.
class PrimaryDisplay final : public DisplayDevice {
 public:
  std::optional<vorlan::DisplayMode> Current() const override;
  std::vector<vorlan::DisplayMode> Supported() const override;
  long Change(const vorlan::DisplayMode& mode, bool testOnly) override;
};
