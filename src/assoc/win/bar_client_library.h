#pragma once
// The café client library "BarClientDll.dll" and its GetPkgFullPath: the
// second source of package paths when the client service gives none.

#include <windows.h>

#include <cstdint>

// Fills `buffer` (of `size` bytes) with the package's path in the ANSI code
// page; nonzero when it did.
using GetPkgFullPathFn = int(__stdcall*)(std::uint32_t pkgId, char* buffer, std::uint32_t size);

// Loads the library by its bare name (the usual search order) and finds the
// export. Null when either is missing. The library stays loaded for good.
GetPkgFullPathFn LoadGetPkgFullPath();
