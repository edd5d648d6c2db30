#pragma once
// Folder macros on the running PC.

#include <string>

// Resolves one macro token ("$CSIDL_SYSTEM$", any case) into `folder`.
// An empty or unknown token leaves `folder` as it was. Each resolution
// through an environment string is logged at level 16.
// `use64BitProgramFiles` asks for the native Program Files folders of
// 64-bit Windows (rows "$CSIDL_PROGRAM_FILES$" and
// "$CSIDL_PROGRAM_FILES_COMMON$" only).
void TranslatePath(const std::wstring& token, std::wstring& folder, bool use64BitProgramFiles);

// The macro-prefixed path rule every step applies to its path values:
// "$TOKEN$tail" becomes the resolved folder joined with the tail; any other
// value is returned unchanged.
std::wstring ResolveMacroPrefixedPath(const std::wstring& value, bool use64BitProgramFiles);
