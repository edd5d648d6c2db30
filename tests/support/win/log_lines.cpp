#include "vtest/log_lines.h"

#include <windows.h>

#include <algorithm>

#include "vtest/files.h"
#include "zr_log/core/log_record.h"

namespace vtest {

std::vector<LogLine> ReadLogFolder(const std::wstring& gameFolder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW((gameFolder + L"\\Log\\*.log").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do files.push_back(fd.cFileName);
    while (::FindNextFileW(find, &fd));
    ::FindClose(find);
  }
  std::sort(files.begin(), files.end());
  std::vector<LogLine> lines;
  for (const auto& f : files) {
    for (const auto& r : zrlog::ParseRecords(ReadBytes(gameFolder + L"\\Log\\" + f))) {
      LogLine l;
      l.time = r.time;
      l.level = r.level;
      l.module = FromAnsi(r.module);
      l.processId = r.processId;
      l.threadId = r.threadId;
      l.text = FromAnsi(r.message);
      lines.push_back(std::move(l));
    }
  }
  return lines;
}

int FindLine(const std::vector<LogLine>& log, const std::wstring& text, int level, int from) {
  for (int i = std::max(from, 0); i < static_cast<int>(log.size()); ++i)
    if (log[i].text == text && (level < 0 || log[i].level == level)) return i;
  return -1;
}

std::vector<LogLine> LinesStartingWith(const std::vector<LogLine>& log, const std::wstring& prefix) {
  std::vector<LogLine> out;
  for (const auto& l : log)
    if (l.text.rfind(prefix, 0) == 0) out.push_back(l);
  return out;
}

std::vector<std::wstring> Texts(const std::vector<LogLine>& log) {
  std::vector<std::wstring> out;
  for (const auto& l : log) out.push_back(l.text);
  return out;
}

std::string Dump(const std::vector<LogLine>& log) {
  std::string out;
  for (const auto& l : log) {
    std::wstring text = l.text;
    for (auto& c : text)
      if (c == L'\n') c = L'|';
    out += "  [" + std::to_string(l.level) + "] " + ToUtf8(text) + "\n";
  }
  return out;
}

}  // namespace vtest
