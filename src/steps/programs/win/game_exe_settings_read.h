#pragma once
#include "platform/win/ini_file.h"
#include "steps/programs/core/game_exe_settings.h"

namespace vorlan::steps {

// Reads the game program, its folder and its arguments from section "Main"
// of the option file, under the 64-bit keys when the option file switches
// redirection off on 64-bit Windows. Shared by "AppLoc" and "Main".
GameExeSettings ReadGameExeSettings(const OS::IniFile& options);

}  // namespace vorlan::steps
