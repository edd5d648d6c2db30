#include "app/core/step_done_table.h"

namespace vorlan {

void StepDoneTable::Clear(int index) {
  if (index >= 0 && index < kCapacity) done_[static_cast<std::size_t>(index)].store(false);
}

void StepDoneTable::MarkDone(int index) {
  if (index < 0 || index >= kCapacity) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    done_[static_cast<std::size_t>(index)].store(true);
  }
  changed_.notify_all();
}

bool StepDoneTable::IsDone(int index) const {
  return index >= 0 && index < kCapacity && done_[static_cast<std::size_t>(index)].load();
}

void StepDoneTable::WaitAll(int count) {
  if (count > kCapacity) count = kCapacity;
  std::unique_lock<std::mutex> lock(mutex_);
  for (int i = 0; i < count; ++i)
    changed_.wait(lock, [&] { return done_[static_cast<std::size_t>(i)].load(); });
}

}  // namespace vorlan
