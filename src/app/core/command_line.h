#pragma once
// The game menu starts the launcher with "NewVorlan <game id>" on its
// command line.

#include <string_view>

namespace vorlan {

struct GameIdFromCmdLine {
  unsigned gameId = 0;
  bool newStyleStart = false;  // the command line holds "NewVorlan"
};

// "NewVorlan", then the first blank after it; the game id is the text after
// that blank up to the next blank, read as a decimal number (leading digits;
// no digits give 0; a value beyond 32 bits gives 0). Without "NewVorlan",
// or without a blank after it, the id is 0.
GameIdFromCmdLine ParseGameIdFromCmdLine(std::wstring_view commandLine);

}  // namespace vorlan
