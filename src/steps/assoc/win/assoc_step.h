#pragma once
// Step "Assoc": the packages this game needs prepared with it, listed in
// "VorlanAssoc.ini" beside the executable, handed to the associated-game
// worker (assoc/win/assoc_job.h) on a thread of its own.

#include "assoc/win/assoc_worker.h"
#include "assoc/win/package_service.h"
#include "assoc/win/system_files.h"
#include "step_context/win/step_context.h"

namespace vorlan::steps {

// At most this many entries of [Assoc] are read.
inline constexpr int kMaxAssocPackages = 256;

// True when `worker` runs the packages now (this step started it, or an
// earlier "Assoc" of this run did and it has not ended): the pipeline then
// hides the dialog and waits for it. False when the game has no usable
// package id, the worker already ended, or no thread could be made.
bool RunAssocStep(StepContext& context, ::assoc::PackageService& service, ::assoc::AssocWorker& worker,
                  const ::assoc::SystemFolders& folders);

}  // namespace vorlan::steps
