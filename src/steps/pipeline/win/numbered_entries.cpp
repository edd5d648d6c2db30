#include "steps/pipeline/win/numbered_entries.h"

#include "platform/win/os_info.h"
#include "steps/pipeline/core/numbered_sections.h"

namespace vorlan::steps {

int EntryCount(const OS::IniFile& options, const std::wstring& base) { return options.ReadInt(base, L"Num", 0); }

void ForEachEntry(const OS::IniFile& options, const std::wstring& base, int count,
                  const std::function<void(int index, const std::wstring& section)>& visit) {
  for (int i = 0; i < count; ++i) {
    const std::wstring section = EntrySectionName(base, i);
    if (IsSkippedOn(options.ReadInt(section, L"SkipOS", 0), OS::GetOsCode())) continue;
    visit(i, section);
  }
}

}  // namespace vorlan::steps
