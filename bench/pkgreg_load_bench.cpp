// Load-and-check speed of registry script files against a plain read of
// the same file. Writes a file of about 10 MB (or the size given), keeps it
// in the page cache by reading it once, then times many whole-file reads:
//   plain read              the floor: open, read all bytes, close
//   read + load and check   the same, then CRC-32 and every entry parsed
//   CRC-32 alone            over the bytes already in memory
// Two shapes: many small entries (typical names and values) and a few
// large ones.
//
// usage: pkgreg_load_bench [folder for the file] [megabytes]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "pkg_reg/core/crc32.h"
#include "pkg_reg/core/pkg_reg.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

CPkgReg SmallEntries(std::size_t targetBytes) {
  std::vector<CPkgRegEntry> entries;
  std::size_t size = 8;
  for (std::size_t i = 0; size < targetBytes; ++i) {
    const std::string key = "HKLM\\Software\\Vendor" + std::to_string(i % 37) + "\\Game\\Settings\\";
    if (i % 4 == 3) {
      entries.emplace_back(0, 4, B(key + "Count" + std::to_string(i)), Bytes{1, 2, 3, 4});
    } else {
      entries.emplace_back(0, 1, B(key + "Path" + std::to_string(i)),
                           B("%InstallDir%\\data\\level" + std::to_string(i) + "\\textures.pak"));
    }
    size += static_cast<std::size_t>(entries.back().Size());
  }
  return CPkgReg(std::move(entries));
}

CPkgReg LargeEntries(std::size_t targetBytes) {
  std::vector<CPkgRegEntry> entries;
  const std::size_t each = targetBytes / 100;
  for (int i = 0; i < 100; ++i)
    entries.emplace_back(0, 3, B("HKLM\\Software\\Vendor\\Blob" + std::to_string(i)),
                         Bytes(each, static_cast<std::uint8_t>(i)));
  return CPkgReg(std::move(entries));
}

bool ReadWhole(const std::filesystem::path& path, Bytes& out) {
  std::FILE* f = std::fopen(path.string().c_str(), "rb");
  if (!f) return false;
  std::fseek(f, 0, SEEK_END);
  const long n = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  out.resize(static_cast<std::size_t>(n));
  const bool ok = std::fread(out.data(), 1, out.size(), f) == out.size();
  std::fclose(f);
  return ok;
}

// Best of `rounds` rounds of `per` runs, in MB/s (10^6 bytes).
template <class F>
double MegabytesPerSecond(std::size_t bytes, F&& run, int rounds = 7, int per = 10) {
  double best = 0;
  for (int r = 0; r < rounds; ++r) {
    const auto start = Clock::now();
    for (int i = 0; i < per; ++i) run();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    best = std::max(best, static_cast<double>(bytes) * per / seconds / 1e6);
  }
  return best;
}

int Measure(const char* shape, CPkgReg reg, const std::filesystem::path& path) {
  const auto bytes = reg.ToFileBytes();
  if (!bytes) return 1;
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (!f || std::fwrite(bytes->data(), 1, bytes->size(), f) != bytes->size()) return 1;
  std::fclose(f);

  Bytes buffer;
  if (!ReadWhole(path, buffer)) return 1;  // into the page cache
  volatile std::size_t sink = 0;
  const double read = MegabytesPerSecond(bytes->size(), [&] {
    ReadWhole(path, buffer);
    sink = sink + buffer.size();
  });
  bool allLoaded = true;
  const double load = MegabytesPerSecond(bytes->size(), [&] {
    ReadWhole(path, buffer);
    CPkgReg loaded;
    allLoaded = allLoaded && loaded.LoadFromBuffer(buffer) == PkgRegLoadStatus::Loaded;
    sink = sink + loaded.Entries().size();
  });
  const double crc = MegabytesPerSecond(bytes->size(), [&] { sink = sink + vorlan::pkgreg::Crc32(buffer); });
  if (!allLoaded) {
    std::fprintf(stderr, "the file did not load\n");
    return 1;
  }
  std::printf("%s: %.1f MB, %zu entries\n", shape, bytes->size() / 1e6, reg.Entries().size());
  std::printf("  plain read             %8.0f MB/s\n", read);
  std::printf("  read + load and check  %8.0f MB/s  (%.0f%% of the plain read)\n", load, 100.0 * load / read);
  std::printf("  CRC-32 alone           %8.0f MB/s\n", crc);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
  const std::size_t megabytes = argc > 2 ? static_cast<std::size_t>(std::atoi(argv[2])) : 10;
  const std::size_t target = megabytes * 1000 * 1000;
  const auto path = folder / "pkgreg_bench.nfd";
  int rc = Measure("small entries", SmallEntries(target), path);
  if (rc == 0) rc = Measure("large entries", LargeEntries(target), path);
  std::filesystem::remove(path);
  return rc;
}
