#pragma once
#include "world/world.h"

namespace tobu {

// The run fails once the body leaves x 0..4000 or y 0..3100.
bool OutsideWorldBounds(const World& world);

}  // namespace tobu
