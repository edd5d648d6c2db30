#pragma once
// vorlan-check --restore-display: sets the PC's own display mode again from
// the display record a game's "Display" step left, and removes the record.

#include <functional>
#include <string>

namespace vorlan::check {

// 0: restored, set already, or no record; 1: the record held no mode (it is
// removed); 2: the system refused the mode (the record stays).
int RestoreDisplayCommand(const std::function<void(const std::wstring&)>& out);

}  // namespace vorlan::check
