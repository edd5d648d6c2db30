#pragma once
// Walks the entries of a step section in the numbered-section pattern
// (steps/pipeline/core/numbered_sections.h) and resolves their path values.

#include <functional>
#include <string>

#include "platform/win/ini_file.h"

namespace vorlan::steps {

// [<base>] "Num" (0 when missing).
int EntryCount(const OS::IniFile& options, const std::wstring& base);

// Calls visit(index, section) for the entries 0 .. count-1, in order, except
// those skipped on this PC by their "SkipOS".
void ForEachEntry(const OS::IniFile& options, const std::wstring& base, int count,
                  const std::function<void(int index, const std::wstring& section)>& visit);

}  // namespace vorlan::steps
