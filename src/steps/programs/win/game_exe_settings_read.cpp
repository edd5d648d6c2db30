#include "steps/programs/win/game_exe_settings_read.h"

#include "platform/win/os_info.h"

namespace vorlan::steps {

GameExeSettings ReadGameExeSettings(const OS::IniFile& options) {
  const GameExeKeys keys = ChooseGameExeKeys(options.ReadInt(L"Main", L"IsCloseRedirection", 0), OS::Is64BitOs());
  GameExeSettings settings;
  settings.program = options.ReadString(L"Main", std::wstring(keys.program));
  settings.directory = options.ReadString(L"Main", std::wstring(keys.directory));
  settings.arguments = options.ReadString(L"Main", std::wstring(keys.arguments));
  return settings;
}

}  // namespace vorlan::steps
