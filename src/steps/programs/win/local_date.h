#pragma once
#include "platform/core/calendar_date.h"

namespace vorlan::steps {

// Today's local date.
CalendarDate LocalToday();

}  // namespace vorlan::steps
