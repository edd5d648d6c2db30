#pragma once
// Appends records to the day's log file in the "Log" folder beside the
// executable. One instance per process; calls from several threads are
// serialised by a critical section, and each record is one WriteFile call on
// a handle opened for appending, so records of different processes do not
// mix either. Nothing is buffered: a record is in the file when Append
// returns, even if the process ends right after.

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win/critical_section.h"
#include "platform/win/scoped_resource.h"
#include "zr_log/core/log_record.h"

namespace zrlog {

class LogFileWriter {
 public:
  static LogFileWriter& Instance();

  void Append(int level, const char* module, const char* message);

 private:
  LogFileWriter();
  bool EnsureFileFor(const LocalTime& now);

  OS::CriticalSection lock_;
  std::wstring folder_;
  OS::ScopedHandle file_;
  std::string openName_;
  DWORD lastFailureTick_ = 0;
  bool failedBefore_ = false;
};

}  // namespace zrlog
