#pragma once
// The display record: the PC's own display mode, kept from before the first
// change a game asked for until it is restored (docs/display-record.md).
// The text is the mode as the log writes it, "1920x1080 32 bit 60 Hz".

#include <optional>
#include <string>
#include <string_view>

#include "steps/system/core/display_mode.h"

namespace vorlan {

std::wstring SerializeDisplayRecord(const DisplayMode& mode);

// Exactly the text SerializeDisplayRecord writes (blanks around it allowed);
// nullopt for anything else, and for a width, height or depth of 0.
std::optional<DisplayMode> ParseDisplayRecord(std::wstring_view text);

}  // namespace vorlan
