#include "steps/system/win/display_device.h"

#include <windows.h>

#include <algorithm>

namespace {

// Modes listed at most: a driver that never ends its list cannot hold the run.
constexpr DWORD kMaxModes = 65536;

vorlan::DisplayMode FromDevMode(const DEVMODEW& dm) {
  return {dm.dmPelsWidth, dm.dmPelsHeight, dm.dmBitsPerPel, dm.dmDisplayFrequency};
}

}  // namespace

std::optional<vorlan::DisplayMode> PrimaryDisplay::Current() const {
  DEVMODEW dm{};
  dm.dmSize = sizeof dm;
  if (!::EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &dm)) return std::nullopt;
  return FromDevMode(dm);
}

std::vector<vorlan::DisplayMode> PrimaryDisplay::Supported() const {
  std::vector<vorlan::DisplayMode> modes;
  for (DWORD i = 0; i < kMaxModes; ++i) {
    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    if (!::EnumDisplaySettingsW(nullptr, i, &dm)) break;
    const vorlan::DisplayMode mode = FromDevMode(dm);
    // The same mode comes once per scaling and orientation.
    if (std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
  }
  return modes;
}

long PrimaryDisplay::Change(const vorlan::DisplayMode& mode, bool testOnly) {
  DEVMODEW dm{};
  dm.dmSize = sizeof dm;
  dm.dmPelsWidth = mode.width;
  dm.dmPelsHeight = mode.height;
  dm.dmBitsPerPel = mode.bitsPerPel;
  dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  // 0 and 1 stand for the display's default rate: left to the driver.
  if (mode.frequency > 1) {
    dm.dmDisplayFrequency = mode.frequency;
    dm.dmFields |= DM_DISPLAYFREQUENCY;
  }
  return ::ChangeDisplaySettingsExW(nullptr, &dm, nullptr, testOnly ? CDS_TEST : 0, nullptr);
}
