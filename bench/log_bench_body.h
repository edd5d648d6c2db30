#pragma once
// The workload of the logging benchmarks: every thread logs a typical copy
// line; the result is lines per second over all threads.

#include <chrono>
#include <thread>
#include <vector>

#include "platform/core/log_mgr.h"

inline double LogLinesPerSecond(int threads, int linesPerThread) {
  auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back([t, linesPerThread] {
      for (int n = 0; n < linesPerThread; ++n)
        CLogMgr::GetInstance().Log(4, L"CopyFileOption: CVorlanDlg::ProcessCopyFile. Copy File %s --> %s, %s (%d/%d)",
                                   L"C:\\Games\\Demo\\save\\profile.ini", L"C:\\Users\\cafe\\AppData\\Roaming\\Demo\\profile.ini",
                                   L"Success", t, n);
    });
  for (auto& th : pool) th.join();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return threads * static_cast<double>(linesPerThread) / seconds;
}
