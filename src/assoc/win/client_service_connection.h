#pragma once
#include "assoc/win/client_service_contract.h"

// Creates the client service object and asks it for IClientService:
// CoCreateInstance (class context 0x17, IUnknown), OleRun, QueryInterface.
// Null when any of these fails. The calling thread must be in a COM
// apartment (the launcher joins the multithreaded one at start-up).
IClientService* ConnectClientService();
