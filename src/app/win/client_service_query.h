#pragma once
#include <string>

// Asks the cafe's client service whether the game menu is reachable through
// it. An empty error text means it is; otherwise the text says why not (no
// service, or a client too old) and the run goes on without the menu.
void QueryClientServiceForMenu(std::wstring& errorText);
