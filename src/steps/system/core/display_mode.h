#pragma once
// Step "Display": the display mode a game asks for in [Display], and which
// mode of the display that becomes. The Win32 side supplies the current
// mode, the PC's own mode (from the display record, else the current one)
// and the modes the display reports; this file decides.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorlan {

struct DisplayMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPel = 0;
  std::uint32_t frequency = 0;  // Hz; 0 and 1 are the display's default rate

  friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// What [Display] asks for: 0 in a part keeps that part of the PC's own mode.
struct DisplayRequest {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPel = 0;
  std::uint32_t frequency = 0;

  bool KeepsEverything() const { return width == 0 && height == 0 && bitsPerPel == 0 && frequency == 0; }
};

// The four values of [Display] as read (a missing key reads empty).
struct DisplayRequestText {
  std::wstring width;
  std::wstring height;
  std::wstring bitsPerPel;
  std::wstring frequency;
};

struct DisplayRequestParse {
  DisplayRequest request;
  std::wstring error;  // empty: every value was good
};

// Each value: empty (or blanks) is 0; otherwise decimal digits only, at
// most 4294967295. Anything else ("-1", "1024x", "abc", "1e3") is an error
// naming the key and the value.
DisplayRequestParse ParseDisplayRequest(const DisplayRequestText& text);

enum class DisplayDecisionKind { NoChange, Change, Unsupported };

struct DisplayDecision {
  DisplayDecisionKind kind = DisplayDecisionKind::NoChange;
  DisplayMode mode;     // NoChange: the current mode; Change: the mode to set
  std::wstring reason;  // Unsupported: why
};

// The mode the run wants: among the supported modes and the current one,
// those that have every part the request names; of several, the one whose
// kept parts are the PC's own (width, then height, depth, frequency), else
// the highest. NoChange when that is the current mode.
DisplayDecision DecideDisplayMode(const DisplayMode& current, const DisplayMode& own,
                                  std::span<const DisplayMode> supported, const DisplayRequest& request);

// "1024x768 32 bit 60 Hz".
std::wstring FormatDisplayMode(const DisplayMode& mode);
// The same with "*" for a kept part: "1024x768 * bit * Hz".
std::wstring FormatDisplayRequest(const DisplayRequest& request);

// "DISP_CHANGE_BADMODE" for -2, ...; "unknown" for a code the system does
// not document.
std::wstring_view DisplayChangeResultName(long result);

}  // namespace vorlan
