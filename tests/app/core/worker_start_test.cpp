// A section whose steps run on workers: whatever the thread starter does,
// every step runs once and the section's wait ends.

#include "platform/core/worker_start.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "app/core/step_done_table.h"

namespace {

// Starts real threads, except for the starts numbered in `failing`.
class TestStarter : public vorlan::WorkerStarter {
 public:
  explicit TestStarter(std::vector<bool> failing) : failing_(std::move(failing)) {}
  ~TestStarter() {
    for (std::thread& t : threads_) t.join();
  }
  bool Start(const std::function<void()>& work) override {
    const std::size_t n = starts_++;
    if (n < failing_.size() && failing_[n]) return false;
    threads_.emplace_back(work);
    return true;
  }

 private:
  std::vector<bool> failing_;
  std::size_t starts_ = 0;
  std::vector<std::thread> threads_;
};

}  // namespace

TEST(WorkerStart, EveryStepRunsOnceAndTheSectionsWaitEnds) {
  struct Row {
    const char* name;
    std::vector<bool> failing;  // per step: its worker cannot be started
  };
  const Row rows[] = {
      {"all start", {false, false, false, false}},
      {"none start", {true, true, true, true}},
      {"the second fails", {false, true, false, false}},
      {"only the last fails", {false, false, false, true}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const int steps = static_cast<int>(row.failing.size());
    vorlan::StepDoneTable done;
    std::mutex lock;
    std::vector<int> runs(row.failing.size(), 0);
    std::vector<std::thread::id> ranOn(row.failing.size());
    std::vector<int> reportedFailures;
    std::vector<vorlan::WorkerPlace> places;
    {
      TestStarter starter(row.failing);
      for (int i = 0; i < steps; ++i) done.Clear(i);
      for (int i = 0; i < steps; ++i) {
        places.push_back(vorlan::StartOrRunHere(
            starter,
            [&, i] {
              {
                std::lock_guard<std::mutex> guard(lock);
                ++runs[static_cast<std::size_t>(i)];
                ranOn[static_cast<std::size_t>(i)] = std::this_thread::get_id();
              }
              done.MarkDone(i);
            },
            [&, i] { reportedFailures.push_back(i); }));
      }
      auto waited = std::async(std::launch::async, [&] { done.WaitAll(steps); });
      ASSERT_EQ(waited.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the section's wait never ended";
    }
    std::vector<int> expectedFailures;
    for (int i = 0; i < steps; ++i) {
      const auto at = static_cast<std::size_t>(i);
      EXPECT_EQ(runs[at], 1) << "step " << i;
      if (row.failing[at]) {
        expectedFailures.push_back(i);
        EXPECT_EQ(places[at], vorlan::WorkerPlace::CallingThread) << "step " << i;
        EXPECT_EQ(ranOn[at], std::this_thread::get_id()) << "step " << i;
      } else {
        EXPECT_EQ(places[at], vorlan::WorkerPlace::NewThread) << "step " << i;
        EXPECT_NE(ranOn[at], std::this_thread::get_id()) << "step " << i;
      }
    }
    EXPECT_EQ(reportedFailures, expectedFailures);
  }
}
