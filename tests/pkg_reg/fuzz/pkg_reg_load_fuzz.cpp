// Fuzzes loading of registry script files. Each input is loaded as it is
// (nearly always refused by its checksum) and once more with its last 4
// bytes made the right CRC-32, so that the body reader sees every mutation.
// A loaded file must write back to exactly the bytes it was read from, and
// applying its entries must not fail in any way but by a refused name.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pkg_reg/core/crc32.h"
#include "pkg_reg/core/pkg_reg.h"
#include "pkg_reg/core/pkg_reg_apply.h"

namespace {

class CountingTarget : public vorlan::pkgreg::CPkgRegTarget {
 public:
  std::wstring FromAnsi(std::string_view bytes) const override { return std::wstring(bytes.begin(), bytes.end()); }
  bool SetValue(const vorlan::pkgreg::PkgRegValue& value) override {
    if (value.type != vorlan::pkgreg::kRegSz && !value.text.empty()) std::abort();
    return (++count % 3) != 0;
  }
  std::size_t count = 0;
};

void Check(std::vector<std::uint8_t> bytes) {
  CPkgReg reg;
  if (reg.LoadFromBuffer(bytes) != PkgRegLoadStatus::Loaded) return;

  const std::uint64_t size = reg.Size();
  if (size > bytes.size()) std::abort();
  CPktStreamData stream(static_cast<int>(size));
  if (reg.Write(stream) != 0 || stream.Remaining() != 0) std::abort();
  if (std::memcmp(stream.Data(), bytes.data(), static_cast<std::size_t>(size)) != 0) std::abort();

  CountingTarget target;
  const auto report = vorlan::pkgreg::ApplyPkgReg(reg, L"C:\\Games\\%InstallDir%\\", target);
  if (report.applied && report.written + report.skipped != reg.Entries().size()) std::abort();
  if (!report.applied && report.written != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  Check(bytes);
  if (size >= 4) {
    const std::uint32_t crc = vorlan::pkgreg::Crc32(std::span<const std::uint8_t>(bytes).first(size - 4));
    for (int i = 0; i < 4; ++i) bytes[size - 4 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    Check(bytes);
  }
  return 0;
}
