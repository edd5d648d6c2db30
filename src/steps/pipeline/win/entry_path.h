#pragma once
// The path value of a step entry on this PC: a folder macro first
// ("$CSIDL_SYSTEM$\x.dll"), an absolute path ("D:\x", "\\server\x") as it
// stands, anything else below the program directory.

#include <string>

class StepContext;

namespace vorlan::steps {

std::wstring EntryPath(const StepContext& context, const std::wstring& value, bool use64BitProgramFiles);

}  // namespace vorlan::steps
