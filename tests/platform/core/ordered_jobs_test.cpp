// Jobs on a few threads, reported in the order they were added.

#include "platform/core/ordered_jobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

// What the jobs of one test saw.
struct Journal {
  std::thread::id adder = std::this_thread::get_id();
  std::atomic<int> running{0}, mostRunning{0}, ran{0}, added{0}, mostOutstanding{0};
  std::vector<int> reported;
  bool reportsOnAdder = true, helpersInScope = true;
  std::mutex lock;
  std::set<std::thread::id> runners;
};

thread_local bool t_inScope = false;

struct Job {
  Journal* journal;
  int id;
  int sleepMs;
  void Run() {
    Journal& j = *journal;
    const int now = ++j.running;
    for (int most = j.mostRunning; now > most && !j.mostRunning.compare_exchange_weak(most, now);) {}
    std::this_thread::sleep_for(std::chrono::milliseconds(sleepMs));
    --j.running;
    ++j.ran;
    std::lock_guard<std::mutex> guard(j.lock);
    if (!t_inScope && std::this_thread::get_id() != j.adder) j.helpersInScope = false;
    j.runners.insert(std::this_thread::get_id());
  }
  void Report() {
    Journal& j = *journal;
    if (std::this_thread::get_id() != j.adder) j.reportsOnAdder = false;
    j.reported.push_back(id);
  }
};

void Add(vorlan::OrderedJobs<Job>& jobs, Journal& j, int id, int sleepMs, bool run = true) {
  jobs.Add(Job{&j, id, sleepMs}, run);
  const int outstanding = ++j.added - static_cast<int>(j.reported.size());
  if (outstanding > j.mostOutstanding) j.mostOutstanding = outstanding;
}

std::vector<int> Upto(int n) {
  std::vector<int> ids;
  for (int i = 0; i < n; ++i) ids.push_back(i);
  return ids;
}

}  // namespace

TEST(OrderedJobs, LaterJobsThatEndFirstAreStillReportedInOrderAndTheBoundsHold) {
  struct Case {
    std::size_t helpers, batch;
    int jobs;
    std::size_t threads;  // that run jobs: the adding one and the helpers a batch is big enough for
  };
  for (const Case c : {Case{3, 64, 100, 4}, Case{3, 256, 40, 3}, Case{1, 20, 50, 2}, Case{3, 1, 12, 1}}) {
    SCOPED_TRACE(testing::Message() << c.helpers << " helpers, batch " << c.batch << ", " << c.jobs << " jobs");
    Journal j;
    {
      vorlan::OrderedJobs<Job> jobs(c.helpers, c.batch, [](const std::function<void()>& loop) {
        t_inScope = true;
        loop();
        t_inScope = false;
      });
      // Early jobs are slow, later ones quick: the later ones end first.
      for (int i = 0; i < c.jobs; ++i) Add(jobs, j, i, i % 4 == 0 ? 12 : 1);
      jobs.Finish();
    }
    EXPECT_EQ(j.reported, Upto(c.jobs));
    EXPECT_EQ(j.ran, c.jobs);
    EXPECT_TRUE(j.reportsOnAdder);
    EXPECT_TRUE(j.helpersInScope);
    EXPECT_LE(j.mostRunning, static_cast<int>(c.helpers + 1));
    EXPECT_EQ(j.runners.size(), c.threads);
    EXPECT_TRUE(j.runners.count(j.adder));
    EXPECT_LE(j.mostOutstanding, static_cast<int>(c.batch));
  }
}

TEST(OrderedJobs, ResultsKnownToTheAdderAreReportedInTheirPlaceWithoutRunning) {
  Journal j;
  vorlan::OrderedJobs<Job> jobs(2, 8);
  Add(jobs, j, 0, 15);
  Add(jobs, j, 1, 0, /*run=*/false);
  Add(jobs, j, 2, 1);
  Add(jobs, j, 3, 0, /*run=*/false);
  jobs.Finish();
  jobs.Finish();  // a second call does nothing
  EXPECT_EQ(j.reported, Upto(4));
  EXPECT_EQ(j.ran, 2);
}

TEST(OrderedJobs, WithoutHelpersEveryJobRunsOnTheAddingThreadInOrder) {
  Journal j;
  {
    vorlan::OrderedJobs<Job> jobs(0, 4);
    for (int i = 0; i < 40; ++i) Add(jobs, j, i, 0);
  }  // the owner's end finishes the rest
  EXPECT_EQ(j.reported, Upto(40));
  EXPECT_EQ(j.runners, std::set<std::thread::id>{j.adder});
}
