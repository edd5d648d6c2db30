#pragma once
// What the associated-game worker does: finds each package through the
// client service, connecting the virtual disks and waiting a bounded time
// for packages that are not reachable yet, then prepares each package found:
// its registry script files ("System32File\RegInfo\*.nfd", "*.psd") applied
// with the package's folder as the install directory, and its system files
// ("System32File\*") copied. One result line per package.

#include <cstdint>
#include <vector>

#include "assoc/win/package_service.h"
#include "assoc/win/system_files.h"
#include "step_context/win/step_context.h"

namespace assoc {

struct AssocJob {
  std::vector<std::uint32_t> ids;  // distinct, in the operator's order
  int waitSeconds = 60;            // for packages after the disks were connected
  SystemFolders folders;
};

// Runs the job to its end; returns how many packages failed.
int RunAssocJob(const AssocJob& job, PackageService& service, StepContext& context);

}  // namespace assoc
