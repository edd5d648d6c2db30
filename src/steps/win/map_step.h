#pragma once
// Step "Map": shows the game folder (or the folder or share [Map] names)
// as the drive letter [Map] Drive names, for games that insist on a fixed
// drive; once it does, the program directory is that drive ("Z:") and every
// later step builds its paths on it. Letters that are disks of the PC or
// mappings this program did not make are never taken.

class StepContext;

namespace vorlan::steps {

void RunMap(StepContext& context);

}  // namespace vorlan::steps
