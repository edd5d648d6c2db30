#include "steps/programs/core/day_marks.h"

#include "platform/core/wformat.h"

namespace vorlan {

std::wstring RunOnceKeyName(const CalendarDate& date) {
  return fmt::Format(L"SOFTWARE\\VorlanCfg\\%d.%d.%d", date.year, date.month, date.day);
}

std::wstring GameMenuMarkKeyName(const CalendarDate& date) {
  return fmt::Format(L"SOFTWARE\\tarpen\\%d.%d.%d", date.year, date.month, date.day);
}

}  // namespace vorlan
