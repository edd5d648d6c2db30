#pragma once
// Command lines of the programs that the launch steps start.
//
// Two forms exist. Pre-load programs get their path in double quotes, one
// blank and their arguments. The run-once program, the game and the AppLoc
// launcher get their path bare, as option files have always written them:
// "Exe=tools\setup.exe /silent" (a program followed by its own switches)
// works only because the path is not quoted.
//
// A bare path with a blank is dangerous: Windows cuts the command line at the
// first blank that leads to an existing program, so with "C:\Games\My
// Game\game.exe" a file "C:\Games\My.exe" would run instead of the game.
// When the whole path names an existing file and holds a blank, it is put in
// quotes; every other bare path stays exactly as before.

#include <string>
#include <string_view>

namespace vorlan {

// "\"<program>\" <arguments>" (the blank stays when there are no arguments).
std::wstring QuotedProgramCommandLine(std::wstring_view program, std::wstring_view arguments);

// True when a bare path must be quoted: it holds a blank or a tab, is not
// quoted already, and names an existing file (`programIsFile`).
bool BarePathNeedsQuotes(std::wstring_view program, bool programIsFile);

// The program as it goes into a command line: quoted when BarePathNeedsQuotes.
std::wstring BareProgram(std::wstring_view program, bool programIsFile);

// "<program> <arguments>": the run-once program and the game.
std::wstring BareProgramCommandLine(std::wstring_view program, bool programIsFile, std::wstring_view arguments);

// "<launcher> \"<game path>\" \"<locale>\"": the AppLoc launcher.
std::wstring AppLocCommandLine(std::wstring_view launcher, bool launcherIsFile, std::wstring_view gamePath,
                               std::wstring_view locale);

}  // namespace vorlan
