#pragma once
#include "app/core/date_mark.h"

namespace vorlan::steps {

// Today's local date.
CalendarDate LocalToday();

}  // namespace vorlan::steps
