// Any bytes: the scanner returns, and every section and key it reports lies
// on a line of the input, in order.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "check/core/ini_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const vorlan::check::ScannedIni ini = vorlan::check::ScanIni(bytes);
  std::size_t lines = 1;
  for (char c : bytes) lines += c == '\n';
  int previous = 0;
  for (const auto& section : ini.sections) {
    if (section.line <= previous || static_cast<std::size_t>(section.line) > lines) std::abort();
    previous = section.line;
    for (const auto& key : section.keys) {
      if (key.line <= previous || static_cast<std::size_t>(key.line) > lines) std::abort();
      if (key.value.size() > key.raw.size()) std::abort();
      previous = key.line;
    }
    if (ini.Find(section.name) == nullptr) std::abort();
  }
  if (!ini.sections.empty() && ini.empty) std::abort();
  return 0;
}
