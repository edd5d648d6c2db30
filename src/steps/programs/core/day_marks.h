#pragma once
// Registry keys that hold once-a-day marks, named after the local date
// ("%d.%d.%d": year, month, day without leading zeros).

#include <string>

#include "platform/core/calendar_date.h"

namespace vorlan {

// HKEY_CURRENT_USER key of the run-once programs of that day:
// "SOFTWARE\VorlanCfg\2024.3.7". Volatile: gone after a restart of Windows.
std::wstring RunOnceKeyName(const CalendarDate& date);

// HKEY_CURRENT_USER key of the game-menu start of that day:
// "SOFTWARE\tarpen\2024.3.7".
std::wstring GameMenuMarkKeyName(const CalendarDate& date);

}  // namespace vorlan
