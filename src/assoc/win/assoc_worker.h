#pragma once
// The associated-game worker: one thread per process at most. The first
// start runs the work on a new thread; every later start finds it started.

#include <windows.h>

#include <functional>
#include <mutex>

#include "platform/win/scoped_resource.h"

namespace assoc {

class AssocWorker {
 public:
  // The worker of this process (never destroyed).
  static AssocWorker& Process();

  enum class Start {
    Started,         // the work runs on a new thread now
    AlreadyRunning,  // an earlier start's thread still runs
    AlreadyRan,      // an earlier start's thread has ended
    Failed,          // no thread could be made; `error` holds the system code
  };
  Start StartOnce(std::function<void()> work, DWORD& error);

  // Returns when the worker's thread has ended; at once when none was started.
  void Wait();

  AssocWorker() = default;
  AssocWorker(const AssocWorker&) = delete;
  AssocWorker& operator=(const AssocWorker&) = delete;
  ~AssocWorker() { Wait(); }

 private:
  std::mutex lock_;
  bool started_ = false;
  OS::ScopedHandle thread_;
};

}  // namespace assoc
