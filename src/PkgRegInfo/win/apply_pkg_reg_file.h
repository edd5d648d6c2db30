#pragma once
#include <string>

// Loads one registry script file and applies all its entries to the
// registry, with `installDir` in place of "%InstallDir%". Logs and returns
// false when the file cannot be loaded or one of its names cannot be split;
// nothing of such a file is written, and the caller goes on with the next.
bool ApplyPkgRegFile(const std::wstring& path, const std::wstring& installDir);
