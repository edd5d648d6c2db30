#pragma once
// The line format of the logging library's files.
//
// One file per local day, "Log\YYYYMMDD.log" beside the executable. Each
// message is one record:
//   2026-12-08 15:17:07.123<TAB>4<TAB>Vorlan<TAB>1234:5678<TAB>message<CR><LF>
// (local time, level, module name, process and thread id, the message bytes
// exactly as received, in the program's ANSI code page). A message may itself
// contain a line feed (several log texts end in "\n"); records are therefore
// ended by CR LF, and only CR LF ends a record.

#include <string>
#include <string_view>
#include <vector>

namespace zrlog {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

std::string LogFileName(const LocalTime& t);  // "20261208.log"

std::string FormatRecord(const LocalTime& t, int level, std::string_view module, unsigned long processId,
                         unsigned long threadId, std::string_view message);

struct Record {
  std::string time;
  int level = 0;
  std::string module;
  unsigned long processId = 0;
  unsigned long threadId = 0;
  std::string message;
};

// Splits a log file's content into records; a trailing piece without CR LF
// (a record still being written) is left out.
std::vector<Record> ParseRecords(std::string_view content);

}  // namespace zrlog
