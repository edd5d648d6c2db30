#include "components/core/install_passes.h"

namespace vorlan {

int RunInstallPasses(InstallPassActions& actions) {
  for (int pass = 0; pass < kInstallPasses; ++pass) {
    const int missing = actions.CheckMissing();
    if (missing == 0) {
      actions.AllPresent();
      return 0;
    }
    actions.Install(pass);
    actions.PassDone(pass, missing);
  }
  // What the last pass achieved decides, not what it set out to do.
  const int missing = actions.CheckMissing();
  if (missing == 0) actions.AllPresent();
  return missing;
}

}  // namespace vorlan
