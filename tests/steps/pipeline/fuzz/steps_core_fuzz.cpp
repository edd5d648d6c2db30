// Fuzz target for the parts of the steps core that take outside input: path
// values of the option file (the macro-prefixed path rule) and the reparse
// data the system returns for a junction.

#include <cstddef>
#include <cstdint>
#include <string>

#include "steps/pipeline/core/path_macros.h"
#include "steps/files/core/reparse_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The bytes as reparse data.
  vorlan::MountPointSubstituteName(data, size);

  // The bytes as a UTF-16 path value.
  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  const std::wstring value = vorlan::FromUtf16(units);
  const std::wstring resolved =
      vorlan::ApplyMacroPrefix(value, [](const std::wstring& token) { return vorlan::FindMacro(token) ? L"C:\\X" : L""; });
  if (!vorlan::SplitMacroPrefixedPath(value) && resolved != value) __builtin_trap();

  // A junction to that name reads back as the same name.
  const vorlan::ReparseRequest request = vorlan::BuildMountPointRequest(value);
  if (!request.bytes.empty()) {
    const auto back = vorlan::MountPointSubstituteName(request.bytes.data(), request.inputLength);
    if (!back || vorlan::ToUtf16(*back) != vorlan::ToUtf16(value)) __builtin_trap();
  }
  return 0;
}
