#pragma once
// Step "AssocGamePathSet": writes the local paths of the packages a game
// platform needs where the platform reads them, a registry value or an INI
// key per entry of [AssocGamePathSet]. Takes only the option file.

#include "assoc/win/package_service.h"
#include "platform/win/ini_file.h"

namespace vorlan::steps {

void RunAssocGamePathSetStep(const OS::IniFile& options, ::assoc::PackageService& service);

}  // namespace vorlan::steps
