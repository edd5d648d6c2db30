#include "steps/pipeline/win/entry_path.h"

#include "platform/core/path_join.h"
#include "step_context/win/step_context.h"
#include "steps/pipeline/core/path_macros.h"
#include "steps/pipeline/win/translate_path.h"

namespace vorlan::steps {

std::wstring EntryPath(const StepContext& context, const std::wstring& value, bool use64BitProgramFiles) {
  if (SplitMacroPrefixedPath(value)) return ResolveMacroPrefixedPath(value, use64BitProgramFiles);
  const bool absolute = (value.size() >= 2 && value[1] == L':') || value.starts_with(L"\\\\");
  return absolute ? value : PathJoin(context.ProgramDirectory(), value);
}

}  // namespace vorlan::steps
