#include "app/core/date_mark.h"

#include "platform/core/wformat.h"

namespace vorlan {

std::wstring DateMarkText(const CalendarDate& date) {
  return fmt::Format(L"%d%d%d", date.year, date.month, date.day);
}

std::uint32_t DateMarkValue(const CalendarDate& date) {
  std::uint64_t value = 0;
  for (wchar_t c : DateMarkText(date)) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    if (value > UINT32_MAX) return 0;
  }
  return static_cast<std::uint32_t>(value);
}

bool IsMarkOfDay(std::uint32_t stored, const CalendarDate& today) {
  return fmt::Format(L"%u", stored) == DateMarkText(today);
}

}  // namespace vorlan
