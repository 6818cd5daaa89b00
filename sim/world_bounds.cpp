#include "sim/world_bounds.h"

namespace tobu {

bool OutsideWorldBounds(const World& world) {
  // On the unrounded position.
  return world.RunnerX - BodyLeft < 0 || world.RunnerX + BodyRight > BoundsRight ||
         world.RunnerY - BodyHeight < 0 || world.RunnerY > BoundsFoot;
}

}  // namespace tobu
