#pragma once
// Reading back what the logging library wrote.

#include <ostream>
#include <string>
#include <vector>

namespace vtest {

struct LogLine {
  std::string time;     // "YYYY-MM-DD HH:MM:SS.mmm", local
  int level = 0;
  std::wstring module;
  unsigned long processId = 0;
  unsigned long threadId = 0;
  std::wstring text;    // converted back from the ANSI code page
};

// Every record of every file in <folder>\Log, oldest file first.
std::vector<LogLine> ReadLogFolder(const std::wstring& gameFolder);

// Position of the first line with exactly this text (and level, when given),
// or -1.
int FindLine(const std::vector<LogLine>& log, const std::wstring& text, int level = -1, int from = 0);
// Lines whose text begins with the prefix.
std::vector<LogLine> LinesStartingWith(const std::vector<LogLine>& log, const std::wstring& prefix);
std::vector<std::wstring> Texts(const std::vector<LogLine>& log);

// For failure messages: the whole log, one line each.
std::string Dump(const std::vector<LogLine>& log);

}  // namespace vtest
