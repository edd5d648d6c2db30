// Reading speed of registry editor files (.reg): the whole parse from the
// raw bytes to the list of operations, natively, best of several rounds.
//
// usage: reg_parse_bench <file.reg>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "steps/registry/core/reg_file.h"

namespace {

std::optional<std::wstring> Latin1(std::string_view bytes) { return std::wstring(bytes.begin(), bytes.end()); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: reg_parse_bench <file.reg>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) return 1;

  const vorlan::RegFileResult first = vorlan::ParseRegFile(bytes, Latin1, L"C:\\Games\\Bench");
  if (first.error) {
    std::fprintf(stderr, "line %zu: %s\n", first.error->line, first.error->reason.c_str());
    return 1;
  }
  std::size_t values = 0;
  for (const auto& op : first.ops) values += op.kind == vorlan::RegOpKind::SetValue || op.kind == vorlan::RegOpKind::DeleteValue;

  using Clock = std::chrono::steady_clock;
  constexpr int kRounds = 7, kPer = 5;
  double best = 0;
  volatile std::size_t sink = 0;
  for (int r = 0; r < kRounds; ++r) {
    const auto start = Clock::now();
    for (int i = 0; i < kPer; ++i) sink = sink + vorlan::ParseRegFile(bytes, Latin1, L"C:\\Games\\Bench").ops.size();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    best = std::max(best, static_cast<double>(bytes.size()) * kPer / seconds / 1e6);
  }
  std::printf("%.1f MB, %zu operations (%zu values)\n", bytes.size() / 1e6, first.ops.size(), values);
  std::printf("parse  %8.1f MB/s  (%.1f ms per file)\n", best, bytes.size() / best / 1e3);
  return 0;
}
