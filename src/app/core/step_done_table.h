#pragma once
// Completion flags of the steps of one sub-process. Steps that run on worker
// threads set their flag when they end; the preparation thread waits until
// every flag of the section is set, sleeping meanwhile (no core is spun while
// a café PC is starting a game).

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace vorlan {

class StepDoneTable {
 public:
  static constexpr int kCapacity = 64;

  void Clear(int index);
  void MarkDone(int index);
  bool IsDone(int index) const;
  // Returns when flags [0, count) are all set.
  void WaitAll(int count);

 private:
  std::array<std::atomic<bool>, kCapacity> done_{};
  std::mutex mutex_;
  std::condition_variable changed_;
};

}  // namespace vorlan
