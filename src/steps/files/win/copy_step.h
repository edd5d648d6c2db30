#pragma once
// Step "Copy": files and folder trees from the game's folder into place,
// entries [Copy0] .. [Copy<Num-1>] of the option file.

class StepContext;

void RunCopyStep(StepContext& context);
