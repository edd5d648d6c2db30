#pragma once
// Why one entry of a step failed: the reason as the result line shows it and
// the system error code the log line adds.

#include <string>

namespace vorlan::steps {

struct EntryFailure {
  std::wstring reason;
  long error = 0;
};

}  // namespace vorlan::steps
