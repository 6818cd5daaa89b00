#pragma once
#include "sim/runner.h"
#include "world/world.h"

namespace tobu {

// The runner's body is rx-13..rx+11 by ry-58..ry (rx, ry rounded half to even).
bool BodyInSolidCell(const World& world);
// Solid ground on the pixel row just below the feet (RunnerY + 1.0 rounded).
bool OnFloor(const World& world);
// Undoes the last step when it ended in a solid cell: the runner goes back to
// (OldX, OldY) and the speed of the axis (1 horizontal, 2 vertical) becomes 0.
void UndoStepIntoSolid(World& world, RunnerMotion& runner, int axis);

} // namespace tobu
