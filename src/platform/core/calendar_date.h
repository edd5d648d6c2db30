#pragma once
// A calendar day, as the date marks in the registry are formed from it.

namespace vorlan {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

}  // namespace vorlan
