#include "zr_log/core/log_record.h"

#include <cstdio>
#include <cstdlib>

namespace zrlog {

std::string LogFileName(const LocalTime& t) {
  char name[32];
  std::snprintf(name, sizeof(name), "%04d%02d%02d.log", t.year, t.month, t.day);
  return name;
}

std::string FormatRecord(const LocalTime& t, int level, std::string_view module, unsigned long processId,
                         unsigned long threadId, std::string_view message) {
  char head[96];
  int n = std::snprintf(head, sizeof(head), "%04d-%02d-%02d %02d:%02d:%02d.%03d\t%d\t", t.year, t.month, t.day,
                        t.hour, t.minute, t.second, t.milliseconds, level);
  std::string record;
  record.reserve(static_cast<std::size_t>(n) + module.size() + message.size() + 32);
  record.append(head, static_cast<std::size_t>(n));
  record.append(module);
  n = std::snprintf(head, sizeof(head), "\t%lu:%lu\t", processId, threadId);
  record.append(head, static_cast<std::size_t>(n));
  record.append(message);
  record.append("\r\n");
  return record;
}

std::vector<Record> ParseRecords(std::string_view content) {
  std::vector<Record> records;
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t end = content.find("\r\n", pos);
    if (end == std::string_view::npos) break;
    std::string_view line = content.substr(pos, end - pos);
    pos = end + 2;
    Record r;
    std::string_view fields[4];
    bool ok = true;
    for (auto& field : fields) {
      std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos) { ok = false; break; }
      field = line.substr(0, tab);
      line = line.substr(tab + 1);
    }
    if (!ok) continue;
    r.time = std::string(fields[0]);
    r.level = std::atoi(std::string(fields[1]).c_str());
    r.module = std::string(fields[2]);
    std::string ids(fields[3]);
    std::size_t colon = ids.find(':');
    r.processId = std::strtoul(ids.c_str(), nullptr, 10);
    if (colon != std::string::npos) r.threadId = std::strtoul(ids.c_str() + colon + 1, nullptr, 10);
    r.message = std::string(line);
    records.push_back(std::move(r));
  }
  return records;
}

}  // namespace zrlog
