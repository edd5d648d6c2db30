#include "platform/core/os_code.h"

namespace vorlan {

int OsCodeFor(unsigned major, unsigned minor, bool workstation) {
  if (major > 6) return 7;
  if (major == 6) {
    if (!workstation) return 6;
    return minor == 0 ? 5 : 7;
  }
  if (major == 5) {
    if (minor == 0) return 2;
    if (minor == 1) return 3;
    return 4;
  }
  return 1;
}

}  // namespace vorlan
