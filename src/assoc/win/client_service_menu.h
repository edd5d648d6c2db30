#pragma once
// The preparation thread's first question: does the client service answer
// for the game menu?

#include <string>

// True when the client service answered with a client software version
// newer than 8.0; `errorText` is then empty. Otherwise false, and
// `errorText` says why (wide text, for the log):
//   "client service unavailable"
//   "client service gave no version"
//   "client service version <v> is not newer than 8.0"
bool AskClientServiceForMenu(std::wstring& errorText);
