#include "pkg_reg/tool/pkgreg_tool.h"

#include <climits>
#include <fstream>
#include <iterator>
#include <new>
#include <optional>
#include <string>
#include <system_error>

#include "pkg_reg/tool/apply_command.h"
#include "pkg_reg/tool/list_file.h"

#ifdef _WIN32
#include "platform/win/code_page.h"
#endif

namespace vorlan::pkgreg {
namespace {

namespace fs = std::filesystem;

// A path as the console shows it: in the ANSI code page on Windows.
std::string Shown(const fs::path& path) {
#ifdef _WIN32
  return OS::ToThreadAnsi(path.wstring());
#else
  return path.string();
#endif
}

constexpr char kUsage[] =
    "usage: pkgreg write <out file> <list file>\n"
    "       pkgreg dump <file>\n"
#ifdef _WIN32
    "       pkgreg apply <install dir> <file>...\n"
#endif
    ;

std::optional<std::string> ReadFile(const fs::path& path, std::ostream& err) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) {
    err << "pkgreg: cannot read " << Shown(path) << ": " << ec.message() << "\n";
    return std::nullopt;
  }
  if (size > static_cast<std::uintmax_t>(INT_MAX)) {
    err << "pkgreg: " << Shown(path) << " is too large\n";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    err << "pkgreg: not enough memory for " << Shown(path) << "\n";
    return std::nullopt;
  }
  if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    err << "pkgreg: cannot read " << Shown(path) << "\n";
    return std::nullopt;
  }
  return bytes;
}

const char* Reason(PkgRegLoadStatus status) {
  switch (status) {
    case PkgRegLoadStatus::Loaded:
      return "loaded";
    case PkgRegLoadStatus::TooShort:
      return "shorter than 4 bytes";
    case PkgRegLoadStatus::TooLarge:
      return "too large";
    case PkgRegLoadStatus::ChecksumMismatch:
      return "checksum does not match";
    case PkgRegLoadStatus::BadBody:
      return "entries do not fit the file";
  }
  return "unknown";
}

int Write(const fs::path& outPath, const fs::path& listPath, std::ostream& err) {
  const std::optional<std::string> text = ReadFile(listPath, err);
  if (!text) return 1;
  ListFileError error;
  std::optional<std::vector<CPkgRegEntry>> entries = ParseListFile(*text, error);
  if (!entries) {
    err << "pkgreg: " << Shown(listPath) << ":" << error.line << ": " << error.message << "\n";
    return 1;
  }
  CPkgReg reg(std::move(*entries));
  const std::optional<std::vector<std::uint8_t>> bytes = reg.ToFileBytes();
  if (!bytes) {
    err << "pkgreg: the entries are too large for one file\n";
    return 1;
  }
  std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  out.close();
  if (!out) {
    err << "pkgreg: cannot write " << Shown(outPath) << "\n";
    return 1;
  }
  return 0;
}

int Dump(const fs::path& path, std::ostream& out, std::ostream& err) {
  std::optional<std::string> bytes = ReadFile(path, err);
  if (!bytes) return 1;
  CPkgReg reg;
  const PkgRegLoadStatus status =
      reg.LoadFromBuffer(std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(bytes->data()), bytes->size()));
  if (status != PkgRegLoadStatus::Loaded) {
    err << "pkgreg: " << Shown(path) << ": " << Reason(status) << "\n";
    return 1;
  }
  out << FormatListFile(reg);
  return 0;
}

}  // namespace

int RunPkgRegTool(const std::vector<fs::path>& args, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? std::string() : args[0].string();
  if (command == "write" && args.size() == 3) return Write(args[1], args[2], err);
  if (command == "dump" && args.size() == 2) return Dump(args[1], out, err);
#ifdef _WIN32
  if (command == "apply" && args.size() >= 3)
    return RunApplyCommand(args[1], std::vector<fs::path>(args.begin() + 2, args.end()), out);
#endif
  err << kUsage;
  return 2;
}

}  // namespace vorlan::pkgreg
