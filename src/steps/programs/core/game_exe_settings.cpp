#include "steps/programs/core/game_exe_settings.h"

#include "platform/core/path_join.h"

namespace vorlan {

GameExeKeys ChooseGameExeKeys(int isCloseRedirection, bool is64BitOs) {
  if (isCloseRedirection == 1 && is64BitOs) return {L"GameExe64", L"BeforeExePath64", L"Param64"};
  return {L"GameExe", L"BeforeExePath", L"Param"};
}

std::wstring FullGamePath(std::wstring_view programDirectory, const GameExeSettings& settings) {
  return PathJoin(programDirectory, PathJoin(settings.directory, settings.program));
}

std::wstring GameWorkingDirectory(std::wstring_view programDirectory, const GameExeSettings& settings) {
  if (settings.directory.empty()) return std::wstring(programDirectory);
  return PathJoin(programDirectory, settings.directory);
}

}  // namespace vorlan
