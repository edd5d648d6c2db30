// The order of checks and passes of one component installation.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "components/core/install_passes.h"

using vorlan::RunInstallPasses;

namespace {

// Answers the checks from a script and writes down what was done.
class ScriptedPasses final : public vorlan::InstallPassActions {
 public:
  explicit ScriptedPasses(std::deque<int> counts) : counts_(std::move(counts)) {}
  int CheckMissing() override {
    const int n = counts_.front();
    counts_.pop_front();
    done.push_back("check=" + std::to_string(n));
    return n;
  }
  void Install(int pass) override { done.push_back("install " + std::to_string(pass)); }
  void PassDone(int pass, int missing) override {
    done.push_back("done " + std::to_string(pass) + " nCheck=" + std::to_string(missing));
  }
  void AllPresent() override { done.push_back("mark"); }
  std::vector<std::string> done;

 private:
  std::deque<int> counts_;
};

using Steps = std::vector<std::string>;

}  // namespace

TEST(InstallPasses, EverythingPresentAtOnceWritesTheMarkAndInstallsNothing) {
  ScriptedPasses p({0});
  EXPECT_EQ(RunInstallPasses(p), 0);
  EXPECT_EQ(p.done, (Steps{"check=0", "mark"}));
}

TEST(InstallPasses, InstalledByTheFirstPass) {
  ScriptedPasses p({2, 0});
  EXPECT_EQ(RunInstallPasses(p), 0);
  EXPECT_EQ(p.done, (Steps{"check=2", "install 0", "done 0 nCheck=2", "check=0", "mark"}));
}

TEST(InstallPasses, InstalledFromDriveDByTheSecondPass) {
  ScriptedPasses p({2, 1, 0});
  EXPECT_EQ(RunInstallPasses(p), 0);
  EXPECT_EQ(p.done, (Steps{"check=2", "install 0", "done 0 nCheck=2", "check=1", "install 1", "done 1 nCheck=1",
                           "check=0", "mark"}));
}

TEST(InstallPasses, StillMissingAfterBothPassesReportsWhatIsLeftWithoutAMark) {
  ScriptedPasses p({3, 3, 2});
  EXPECT_EQ(RunInstallPasses(p), 2);
  EXPECT_EQ(p.done, (Steps{"check=3", "install 0", "done 0 nCheck=3", "check=3", "install 1", "done 1 nCheck=3",
                           "check=2"}));
}
