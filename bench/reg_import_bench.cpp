// The "ImportReg" step's import of one registry editor file, timed: read,
// parse and write into the registry as the step does (one round: the
// registry is changed by it).
//
// usage: reg_import_bench <file.reg> <install dir>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/win/code_page.h"
#include "platform/win/file.h"
#include "steps/registry/core/reg_file.h"
#include "steps/registry/core/reg_import.h"
#include "steps/registry/win/registry_writer.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: reg_import_bench <file.reg> <install dir>\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const std::optional<std::vector<std::uint8_t>> bytes = OS::CFile::ReadAll(argv[1]);
  if (!bytes) return 1;
  const vorlan::RegFileResult parsed = vorlan::ParseRegFile(
      *bytes, [](std::string_view text) -> std::optional<std::wstring> { return OS::FromThreadAnsi(text); }, argv[2]);
  if (parsed.error) {
    std::fprintf(stderr, "line %zu: %s\n", parsed.error->line, parsed.error->reason.c_str());
    return 1;
  }
  vorlan::steps::CRegistryWriter writer(0);
  const vorlan::RegApplyReport report = vorlan::ApplyRegOps(parsed.ops, writer);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu operations, %zu failed, %.0f ms\n", report.total, report.failed, ms);
  return report.Succeeded() ? 0 : 1;
}
