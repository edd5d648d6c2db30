#pragma once
// The "Component" step: installs the runtime components that the catalogue
// lists and finds missing, in place first and then from a copy on drive D:,
// and opens the help page when some stay missing.

#include "components/win/config.h"

class StepContext;

class CComponent {
 public:
  // `context` is the launcher (may be null: no completion mark is written).
  explicit CComponent(StepContext* context, CConfig& config = CConfig::GetInstance());

  // 0 when the catalogue lists no component, 1 otherwise.
  int Setup();

  // One installation pass over the components found missing: 0 runs their
  // installers in place, 1 from a copy on drive D:.
  void Install(int pass);

 private:
  StepContext* context_;
  CConfig& config_;
};
