#pragma once
// The mark that records that the full preparation already ran today: the
// decimal number formed by "%d%d%d" from the UTC year, month and day without
// leading zeros (7 December 2026 gives 2026127, and so does 27 January 2026).

#include <cstdint>
#include <string>

#include "platform/core/calendar_date.h"

namespace vorlan {

std::wstring DateMarkText(const CalendarDate& date);          // L"2026127"
std::uint32_t DateMarkValue(const CalendarDate& date);        // 2026127

// The stored mark (read back as "%u") equals today's text.
bool IsMarkOfDay(std::uint32_t stored, const CalendarDate& today);

}  // namespace vorlan
