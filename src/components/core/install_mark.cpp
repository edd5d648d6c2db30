#include "components/core/install_mark.h"

namespace vorlan {

MarkCheck CheckForMark(std::int32_t mark) {
  switch (mark) {
    case 1: return MarkCheck::ByType;
    case kMarkAlwaysMissing: return MarkCheck::AlwaysMissing;
    case kMarkAlwaysInstalled: return MarkCheck::AlwaysInstalled;
    default: return MarkCheck::None;
  }
}

std::int32_t MarkOnLoad(std::int32_t mark, int skipAtWindows7, bool isWindows7) {
  return skipAtWindows7 == 1 && isWindows7 ? kMarkNoCheck : mark;
}

std::int32_t MarkAfterInstallerStarted(std::int32_t mark) {
  return mark == kMarkAlwaysMissing ? kMarkAlwaysInstalled : mark;
}

}  // namespace vorlan
