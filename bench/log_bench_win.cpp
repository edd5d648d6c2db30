// Lines per second through the logging facade and ZR_log.dll into the log
// file, with 1 and 4 threads (run under Wine by bench/log.sh).

#include <windows.h>

#include <cstdio>

#include "log_bench_body.h"

int main() {
  if (!CLogMgr::GetInstance().HasOutput()) {
    std::printf("ZR_log.dll is not beside the benchmark\n");
    return 1;
  }
  LogLinesPerSecond(1, 2000);  // warm-up: opens the day's file
  std::printf("facade + ZR_log.dll under Wine: 1 thread  %10.0f lines/s\n", LogLinesPerSecond(1, 50000));
  std::printf("facade + ZR_log.dll under Wine: 4 threads %10.0f lines/s\n", LogLinesPerSecond(4, 25000));
  return 0;
}
