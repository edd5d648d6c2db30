// Fuzz target for the comma-separated lists of the option file: the white
// list ([Control] "Exclude") and the supported systems ([WindowsCfg] "OsCfg").

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/core/os_support.h"
#include "steps/pipeline/core/white_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t flags = data[0];
  std::wstring text;
  for (std::size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));

  // Every comma separates two names: n commas give n + 1 pieces, which
  // joined again give the list back.
  const auto pieces = vorlan::SplitStepList(text);
  std::size_t commas = 0;
  for (wchar_t c : text) commas += c == L',';
  if (pieces.size() != commas + 1) __builtin_trap();
  std::wstring joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) joined += (i ? L"," : L"") + pieces[i];
  if (joined != text) __builtin_trap();

  // The steps of the white list are pieces of it, in order, never "Main" or
  // "Map" when they are not to run.
  const bool runMain = flags & 1, runMap = flags & 2;
  std::size_t from = 0;
  for (const std::wstring& step : vorlan::WhiteListSteps(text, runMain, runMap)) {
    if ((step == L"Main" && !runMain) || (step == L"Map" && !runMap)) {
      if (!text.empty()) __builtin_trap();
    }
    if (text.empty()) continue;
    while (from < pieces.size() && pieces[from] != step) ++from;
    if (from == pieces.size()) __builtin_trap();
    ++from;
  }

  // Any text, any system: an answer, and an empty list supports every system.
  const int osCode = 1 + (flags >> 2) % 7;
  vorlan::IsOsSupportedBy(text, osCode, flags & 0x80);
  if (!vorlan::IsOsSupportedBy(L"", osCode, flags & 0x80)) __builtin_trap();
  return 0;
}
