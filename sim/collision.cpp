#include "sim/collision.h"

#include "world/numeric.h"

namespace tobu {
namespace {

// Pixels x0..x1 of row y, and x of rows y0..y1, tested cell by cell: truncating
// division never skips a cell between those of the two ends, so each cell of the
// line is tested once instead of once per pixel.
bool SolidOnRow(const World& world, int32_t x0, int32_t x1, int32_t y) {
  for (int32_t column = x0 / CellWidth; column <= x1 / CellWidth; ++column) {
    if (world.SolidAt(column * CellWidth, y)) return true;
  }
  return false;
}

bool SolidOnColumn(const World& world, int32_t x, int32_t y0, int32_t y1) {
  for (int32_t row = y0 / CellHeight; row <= y1 / CellHeight; ++row) {
    if (world.SolidAt(x, row * CellHeight)) return true;
  }
  return false;
}

}  // namespace

bool BodyInSolidCell(const World& world) {
  const int32_t rx = RoundPixel(world.RunnerX);
  const int32_t ry = RoundPixel(world.RunnerY);
  // Feet and head lines stop at rx + 9: the cell of rx + 10 also holds rx + 9 or rx + 11.
  if (SolidOnRow(world, rx - 13, rx + 9, ry) || SolidOnRow(world, rx - 13, rx + 9, ry - 58)) return true;
  // Both sides over the full body height: a cell is wider than the body.
  return SolidOnColumn(world, rx - 13, ry - 58, ry) || SolidOnColumn(world, rx + 11, ry - 58, ry);
}

bool OnFloor(const World& world) {
  const int32_t rx = RoundPixel(world.RunnerX);
  // The row below the feet is RunnerY + 1 rounded, not the rounded feet plus one.
  const int32_t below = RoundPixel(AddExtended(world.RunnerY, 1.0L));
  return SolidOnRow(world, rx - 13, rx + 11, below);
}

void UndoStepIntoSolid(World& world, RunnerMotion& runner, int axis) {
  if (!BodyInSolidCell(world)) return;
  // Both coordinates go back, so an undone step also snaps the other axis to a pixel.
  world.RunnerX = static_cast<double>(runner.OldX);
  world.RunnerY = static_cast<double>(runner.OldY);
  if (axis == 1) runner.VelX = 0.0;
  if (axis == 2) runner.VelY = 0.0;
}

}  // namespace tobu
