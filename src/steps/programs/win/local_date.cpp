#include "steps/programs/win/local_date.h"

#include <windows.h>

namespace vorlan::steps {

CalendarDate LocalToday() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace vorlan::steps
