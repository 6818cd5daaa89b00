#pragma once
#include "world/world.h"

namespace tobu {

// The body around the runner's point, as the bounds measure it.
inline constexpr int BodyLeft = 13, BodyRight = 11, BodyHeight = 58;
// The bounds stop inside the grid: x 0..4000, y 0..3100.
inline constexpr int BoundsRight = 4000, BoundsFoot = 3100;

// The run fails once the body leaves the bounds.
bool OutsideWorldBounds(const World& world);

}  // namespace tobu
