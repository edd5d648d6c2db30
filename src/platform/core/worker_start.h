#pragma once
// Starting a piece of work on a thread of its own, behind an interface the
// caller is given: the launcher starts real threads, a test can hand in a
// starter that fails. When no thread can be started the work runs on the
// calling thread instead, so whoever waits for it is never left waiting.

#include <functional>

namespace vorlan {

class WorkerStarter {
 public:
  // Runs `work` on a new thread; false (and `work` not run) when no thread
  // could be started.
  virtual bool Start(const std::function<void()>& work) = 0;

 protected:
  ~WorkerStarter() = default;
};

enum class WorkerPlace { NewThread, CallingThread };

// Starts `work` through `starter`; when that fails, calls `startFailed`
// (for the log), then runs `work` here and returns when it has ended.
WorkerPlace StartOrRunHere(WorkerStarter& starter, const std::function<void()>& work,
                           const std::function<void()>& startFailed);

}  // namespace vorlan
