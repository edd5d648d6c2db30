#include "steps/programs/core/launch_mode.h"

namespace vorlan {

LaunchMode LaunchModeFor(int runOption) {
  switch (runOption) {
    case 1: return LaunchMode::ShellOpen;
    case 2: return LaunchMode::CommandRunner;
    case 3: return LaunchMode::OpenDocument;
    default: return LaunchMode::CreateProcess;
  }
}

}  // namespace vorlan
