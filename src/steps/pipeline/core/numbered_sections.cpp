#include "steps/pipeline/core/numbered_sections.h"

#include "platform/core/wformat.h"

namespace vorlan {

std::wstring EntrySectionName(std::wstring_view base, int index) { return fmt::Format(L"%s%d", base, index); }

bool IsSkippedOn(int skipOs, int osCode) { return skipOs != 0 && skipOs == osCode; }

}  // namespace vorlan
