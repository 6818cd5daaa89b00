#pragma once
#include <cstdint>

#include "sim/runner.h"
#include "world/world.h"

namespace tobu {

// A fall over nothing, as plus shows it: the runner drops at top speed for seconds past a
// backdrop that stays put, so the view darkens toward its foot as the fall goes on.

// Nothing the runner falls past can stop it: no rock and no daisy under its body down to
// the grid's foot.
bool NothingBelow(const World& level);
// Where the runner began to fall over nothing, one tick on; -1 while it stands, rises or
// has something below.
int32_t StepFallTop(int32_t fallTop, const World& level, const RunnerMotion& runner);
// Under every solid tile of the level, and under every object that could still end the
// run: the runner can land nowhere and only the world's foot is left.
bool FellOutOfLevel(const World& level);
// How far the fall from `fallTop` has gone toward the world's foot, where the run fails:
// 0 to 256, or -1 for no fall worth showing (none, or less than a jump's height yet).
int32_t FallDepth(int32_t fallTop, const World& level);

}  // namespace tobu
