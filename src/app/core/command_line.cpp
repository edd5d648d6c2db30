#include "app/core/command_line.h"

#include <cstdint>

namespace vorlan {

GameIdFromCmdLine ParseGameIdFromCmdLine(std::wstring_view commandLine) {
  constexpr std::wstring_view kWord = L"NewVorlan";
  GameIdFromCmdLine result;
  std::size_t at = commandLine.find(kWord);
  if (at == std::wstring_view::npos) return result;
  result.newStyleStart = true;

  std::size_t blank = commandLine.find(L' ', at + kWord.size());
  if (blank == std::wstring_view::npos) return result;
  std::wstring_view id = commandLine.substr(blank + 1);
  std::size_t end = id.find(L' ');
  if (end != std::wstring_view::npos) id = id.substr(0, end);

  std::uint64_t value = 0;
  for (wchar_t c : id) {
    if (c < L'0' || c > L'9') break;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    if (value > UINT32_MAX) return result;  // not a game id
  }
  result.gameId = static_cast<unsigned>(value);
  return result;
}

}  // namespace vorlan
