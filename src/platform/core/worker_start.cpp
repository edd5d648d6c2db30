#include "platform/core/worker_start.h"

namespace vorlan {

WorkerPlace StartOrRunHere(WorkerStarter& starter, const std::function<void()>& work,
                           const std::function<void()>& startFailed) {
  if (starter.Start(work)) return WorkerPlace::NewThread;
  if (startFailed) startFailed();
  work();
  return WorkerPlace::CallingThread;
}

}  // namespace vorlan
