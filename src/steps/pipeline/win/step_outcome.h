#pragma once
// What a step leaves for the pipeline to act on. Most steps leave nothing;
// the pipeline handles these results in one place (app/win/pipeline.cpp).

#include <functional>
#include <optional>

namespace vorlan::steps {

struct StepOutcome {
  // "Component": 1 when the component catalogue lists any component, else 0;
  // kept by the pipeline as the component result.
  std::optional<int> componentResult;
  // "GameComponent": false when the hand-over failed; the pipeline then asks
  // the customer to start the game from the game menu and ends the process.
  bool handedOver = true;
  // "Assoc": set when the associated-game worker runs; the pipeline hides the
  // dialog from the taskbar and calls it, which waits for the worker.
  std::function<void()> waitForWorker;
};

}  // namespace vorlan::steps
