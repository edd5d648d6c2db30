#pragma once
// Jobs carried out by a few worker threads while the thread that adds them
// goes on, with what they found reported on the adding thread in the order
// the jobs were added, as if they had run one after another.
//
// A Job has `void Run()` (on a worker; on the adding thread when no worker
// can be started) and `void Report()` (on the adding thread, in order). A
// job added with `run = false` has nothing to run (a result the adding
// thread already knows) and is only reported in its place. Neither may throw.
//
// Bounded: at most `window` jobs are added and not yet reported; Add waits
// for the oldest one when the window is full, so memory stays small however
// many jobs come, and at most `maxWorkers` jobs run at a time. Workers are
// started only when a job finds none idle.

#include <condition_variable>
#include <cstddef>
#include <deque>
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
  // Wraps each worker's whole life, for what a worker must set up the way
  // the adding thread has it; it calls its argument once.
  using WorkerScope = std::function<void(const std::function<void()>& workerLoop)>;

  OrderedJobs(std::size_t maxWorkers, std::size_t window, WorkerScope scope = {})
      : maxWorkers_(maxWorkers), window_(window < 1 ? 1 : window), scope_(std::move(scope)) {}
  ~OrderedJobs() { Finish(); }
  OrderedJobs(const OrderedJobs&) = delete;
  OrderedJobs& operator=(const OrderedJobs&) = delete;

  void Add(Job job, bool run = true) {
    std::unique_lock<std::mutex> lock(mutex_);
    ReportDone(lock);
    while (entries_.size() >= window_) {
      done_.wait(lock, [this] { return entries_.front().state == State::kDone; });
      ReportDone(lock);
    }
    entries_.push_back(Entry{std::move(job), run ? State::kWaiting : State::kDone});
    if (!run) {
      ReportDone(lock);
      return;
    }
    ++waiting_;
    if (waiting_ > idle_ && workers_.size() < maxWorkers_) StartWorker();
    if (!workers_.empty()) {
      work_.notify_one();
      return;
    }
    // No worker: the job runs here, still in its place.
    Entry* entry = TakeNext();
    lock.unlock();
    entry->job.Run();
    lock.lock();
    entry->state = State::kDone;
    ReportDone(lock);
  }

  // Waits for every job, reports the rest and ends the workers. Later calls
  // do nothing.
  void Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (ReportDone(lock); !entries_.empty(); ReportDone(lock))
      done_.wait(lock, [this] { return entries_.front().state == State::kDone; });
    stopping_ = true;
    work_.notify_all();
    std::vector<std::thread> workers = std::move(workers_);
    workers_.clear();
    lock.unlock();
    for (std::thread& worker : workers) worker.join();
  }

 private:
  enum class State { kWaiting, kRunning, kDone };
  struct Entry {
    Job job;
    State state;
  };

  // Reports the finished jobs at the head, in order; the lock is released
  // while a report runs (workers go on meanwhile).
  void ReportDone(std::unique_lock<std::mutex>& lock) {
    while (!entries_.empty() && entries_.front().state == State::kDone) {
      Job job = std::move(entries_.front().job);
      entries_.pop_front();
      if (nextToRun_ > 0) --nextToRun_;
      lock.unlock();
      job.Report();
      lock.lock();
    }
  }

  // The oldest job waiting to run, marked running; null when there is none.
  Entry* TakeNext() {
    while (nextToRun_ < entries_.size() && entries_[nextToRun_].state != State::kWaiting) ++nextToRun_;
    if (nextToRun_ == entries_.size()) return nullptr;
    Entry* entry = &entries_[nextToRun_++];
    entry->state = State::kRunning;
    --waiting_;
    return entry;
  }

  void StartWorker() {
    try {
      workers_.emplace_back([this] {
        if (scope_)
          scope_([this] { WorkerLoop(); });
        else
          WorkerLoop();
      });
    } catch (const std::system_error&) {
      // No more threads: the workers there are (or the adding thread) do the work.
    }
  }

  void WorkerLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      Entry* entry = TakeNext();
      if (!entry) {
        if (stopping_) return;
        ++idle_;
        work_.wait(lock);
        --idle_;
        continue;
      }
      // Entries stay where they are until reported, and a running one is
      // not reported: the reference holds while the lock is released.
      lock.unlock();
      entry->job.Run();
      lock.lock();
      entry->state = State::kDone;
      done_.notify_one();
    }
  }

  const std::size_t maxWorkers_;
  const std::size_t window_;
  const WorkerScope scope_;
  std::mutex mutex_;
  std::condition_variable work_;  // a worker waits for a job or the end
  std::condition_variable done_;  // the adding thread waits for the oldest job
  std::deque<Entry> entries_;     // added and not yet reported, in order
  std::size_t nextToRun_ = 0;     // entries before it run or ran
  std::size_t waiting_ = 0;
  std::size_t idle_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace vorlan
