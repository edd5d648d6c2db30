#include "app/win/client_service_query.h"

#include "assoc/win/client_service_menu.h"

// The game menu is reachable through the client service when it answers and
// its client software is newer than 8.0; the shared memory decides the rest.
void QueryClientServiceForMenu(std::wstring& errorText) { AskClientServiceForMenu(errorText); }
