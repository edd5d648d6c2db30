#pragma once
#include <string>

// Asks the cafe's client service whether the game menu is reachable through
// it. An empty error text means it is (or that there is no client service
// to ask: the shared memory of the game menu then decides alone).
void QueryClientServiceForMenu(std::wstring& errorText);
