#pragma once
// The game executable settings of section "Main": the game program, the
// folder it lies in (relative to the program directory) and its arguments.
// On 64-bit Windows an option file that switches redirection off
// ("IsCloseRedirection=1") names the 64-bit game under keys of their own.

#include <string>
#include <string_view>

namespace vorlan {

struct GameExeKeys {
  std::wstring_view program;    // "GameExe" or "GameExe64"
  std::wstring_view directory;  // "BeforeExePath" or "BeforeExePath64"
  std::wstring_view arguments;  // "Param" or "Param64"
};

GameExeKeys ChooseGameExeKeys(int isCloseRedirection, bool is64BitOs);

struct GameExeSettings {
  std::wstring program;
  std::wstring directory;
  std::wstring arguments;
};

// The program directory joined with (directory joined with program); the
// directory drops out when it is empty.
std::wstring FullGamePath(std::wstring_view programDirectory, const GameExeSettings& settings);

// Where a directly created game process starts: the program directory, or
// the program directory joined with the directory value when there is one.
std::wstring GameWorkingDirectory(std::wstring_view programDirectory, const GameExeSettings& settings);

}  // namespace vorlan
