#include "sim/world_bounds.h"

namespace tobu {

bool OutsideWorldBounds(const World& world) {
  // On the unrounded position; the bounds stop at 4000 and 3100, inside the grid.
  return world.RunnerX - 13 < 0 || world.RunnerX + 11 > 4000 || world.RunnerY - 58 < 0 ||
         world.RunnerY > 3100;
}

}  // namespace tobu
