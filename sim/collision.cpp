#include "sim/collision.h"

#include "world/numeric.h"

namespace tobu {

bool collide(const World& world) {
  const int32_t rx = RoundPixel(world.RunnerX);
  const int32_t ry = RoundPixel(world.RunnerY);
  // Feet and head lines stop at rx + 9: the cell of rx + 10 also holds rx + 9 or rx + 11.
  for (int32_t k = -13; k <= 9; ++k) {
    if (world.SolidAt(rx + k, ry) || world.SolidAt(rx + k, ry - 58)) return true;
  }
  // Both sides over the full body height: a cell is wider than the body.
  for (int32_t k = 0; k <= 58; ++k) {
    if (world.SolidAt(rx - 13, ry - k) || world.SolidAt(rx + 11, ry - k)) return true;
  }
  return false;
}

bool OnFloor(const World& world) {
  const int32_t rx = RoundPixel(world.RunnerX);
  // The row below the feet is RunnerY + 1 rounded, not the rounded feet plus one.
  const int32_t below = RoundPixel(AddExtended(world.RunnerY, 1.0L));
  for (int32_t k = -13; k <= 11; ++k) {
    if (world.SolidAt(rx + k, below)) return true;
  }
  return false;
}

void MyCollision(World& world, Runner& runner, int axis) {
  if (!collide(world)) return;
  // Both coordinates go back, so an undone step also snaps the other axis to a pixel.
  world.RunnerX = static_cast<double>(runner.OldX);
  world.RunnerY = static_cast<double>(runner.OldY);
  if (axis == 1) runner.VelX = 0.0;
  if (axis == 2) runner.VelY = 0.0;
}

}  // namespace tobu
