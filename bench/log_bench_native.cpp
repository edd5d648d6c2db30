// Lines per second through the logging facade's formatting and conversion
// (native build: the output goes nowhere), with 1 and 4 threads.

#include <atomic>
#include <cstdio>
#include <string>

#include "log_bench_body.h"
#include "platform/native/native_log_output.h"

namespace {
std::atomic<unsigned long> g_bytes{0};
void Sink(const char* message, int, const char*) {
  g_bytes.fetch_add(std::char_traits<char>::length(message), std::memory_order_relaxed);
}
}  // namespace

int main() {
  vorlan::native::SetLogOutput(&Sink);
  LogLinesPerSecond(1, 20000);  // warm-up
  std::printf("native facade (format + UTF-8, no output): 1 thread  %10.0f lines/s\n", LogLinesPerSecond(1, 200000));
  std::printf("native facade (format + UTF-8, no output): 4 threads %10.0f lines/s\n", LogLinesPerSecond(4, 100000));
  return 0;
}
