#pragma once
// Jobs carried out by a few threads at a time, with what they found reported
// on the thread that adds them, in the order they were added, as if they had
// run one after another.
//
// A Job has `void Run()` and `void Report()`; neither may throw. A job added
// with `run = false` has nothing to run (a result the adding thread already
// knows) and is only reported in its place.
//
// Jobs are taken in batches of `batch`: when a batch is full (or at Finish)
// the adding thread and up to `helpers` helper threads run its jobs, each
// taking the next one not yet taken, and then the adding thread reports the
// batch in order. So at most helpers + 1 jobs run at a time, at most `batch`
// jobs are held, and the threads meet once per batch rather than once per
// job (where every meeting costs a system call or two, as under Wine, that
// is what makes a few threads faster than one). Helpers are started when a
// batch has enough jobs for them (kJobsPerHelper each) and kept until Finish.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace vorlan {

template <class Job>
class OrderedJobs {
 public:
  // Wraps each helper's whole life, for what a helper must set up the way
  // the adding thread has it; it calls its argument once.
  using HelperScope = std::function<void(const std::function<void()>& helperLoop)>;
  // A helper is started only for this many jobs of a batch: a few jobs run
  // faster on the adding thread alone than a thread takes to start.
  static constexpr std::size_t kJobsPerHelper = 16;

  OrderedJobs(std::size_t helpers, std::size_t batch, HelperScope scope = {})
      : maxHelpers_(helpers), batchSize_(batch < 1 ? 1 : batch), scope_(std::move(scope)) {
    batch_.reserve(batchSize_);
  }
  ~OrderedJobs() { Finish(); }
  OrderedJobs(const OrderedJobs&) = delete;
  OrderedJobs& operator=(const OrderedJobs&) = delete;

  void Add(Job job, bool run = true) {
    batch_.push_back(Entry{std::move(job), run});
    if (batch_.size() >= batchSize_) RunBatch();
  }

  // Runs and reports what is left and ends the helpers. Later calls do nothing.
  void Finish() {
    RunBatch();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& helper : helpers_) helper.join();
    helpers_.clear();
  }

 private:
  struct Entry {
    Job job;
    bool run;
  };

  void RunBatch() {
    if (batch_.empty()) return;
    std::size_t runnable = 0;
    for (const Entry& entry : batch_) runnable += entry.run ? 1 : 0;
    const std::size_t wanted = std::min(maxHelpers_, runnable / kJobsPerHelper);
    while (helpers_.size() < wanted && StartHelper()) {
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      next_.store(0);
      open_ = true;
      ++generation_;
    }
    if (!helpers_.empty()) wake_.notify_all();
    Work();
    {
      // No helper joins the batch from now on; wait for those in it.
      std::unique_lock<std::mutex> lock(mutex_);
      open_ = false;
      finished_.wait(lock, [this] { return inBatch_ == 0; });
    }
    for (Entry& entry : batch_) entry.job.Report();
    batch_.clear();
  }

  // Runs jobs of the open batch until none is left to take.
  void Work() {
    for (std::size_t i = next_.fetch_add(1); i < batch_.size(); i = next_.fetch_add(1))
      if (batch_[i].run) batch_[i].job.Run();
  }

  bool StartHelper() {
    try {
      helpers_.emplace_back([this] {
        if (scope_)
          scope_([this] { HelperLoop(); });
        else
          HelperLoop();
      });
      return true;
    } catch (const std::system_error&) {
      return false;  // no more threads: the others do the work
    }
  }

  void HelperLoop() {
    std::size_t seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
      if (stopping_) return;
      seen = generation_;
      if (!open_) continue;  // woke too late: that batch is done
      ++inBatch_;
      lock.unlock();
      Work();
      lock.lock();
      if (--inBatch_ == 0) finished_.notify_one();
    }
  }

  const std::size_t maxHelpers_;
  const std::size_t batchSize_;
  const HelperScope scope_;
  std::vector<Entry> batch_;  // the adding thread's; read by helpers while open_
  std::vector<std::thread> helpers_;
  std::atomic<std::size_t> next_{0};  // the next job of the batch to take
  std::mutex mutex_;
  std::condition_variable wake_;      // helpers wait for a batch or the end
  std::condition_variable finished_;  // the adding thread waits for the helpers
  std::size_t generation_ = 0;
  std::size_t inBatch_ = 0;
  bool open_ = false;
  bool stopping_ = false;
};

}  // namespace vorlan
