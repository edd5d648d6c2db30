#pragma once
// The help page that tells the customer which runtime components are missing.

#include <string>

namespace components {

// Opens "<language>.htm" (relative to the current directory) through the
// shell's default handler, shown normally. False when the shell could not
// open it; the failure is logged.
bool OpenHelpPage(const std::wstring& language);

}  // namespace components
