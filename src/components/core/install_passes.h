#pragma once
// The order of one component installation: check, install in place, check,
// install from drive D:, check once more. The completion mark is written as
// soon as a check finds nothing missing, and nothing after that runs.

namespace vorlan {

class InstallPassActions {
 public:
  // Checks every component; returns how many are missing.
  virtual int CheckMissing() = 0;
  virtual void Install(int pass) = 0;
  // After Install(pass): `missing` is the count that the pass set out to install.
  virtual void PassDone(int pass, int missing) = 0;
  // Every component is present.
  virtual void AllPresent() = 0;

 protected:
  ~InstallPassActions() = default;
};

inline constexpr int kInstallPasses = 2;

// Returns the number of components still missing at the end (0: all present).
int RunInstallPasses(InstallPassActions& actions);

}  // namespace vorlan
