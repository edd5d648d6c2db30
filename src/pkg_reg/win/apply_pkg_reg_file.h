#pragma once
#include <string>

// Loads one registry script file and applies all its entries to the
// registry, with `installDir` in place of "%InstallDir%". Logs and returns
// false when the file cannot be loaded or one of its names cannot be split;
// nothing of such a file is written, and the caller goes on with the next.
// `viewFlag` is 0 (the process's own registry view) or KEY_WOW64_64KEY (the
// 64-bit view on 64-bit Windows).
bool ApplyPkgRegFile(const std::wstring& path, const std::wstring& installDir, unsigned long viewFlag = 0);
