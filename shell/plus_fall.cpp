#include "shell/plus_fall.h"

#include <algorithm>

#include "sim/world_bounds.h"
#include "world/object_kinds.h"

namespace tobu {
namespace {

constexpr int32_t JumpHeight = 93;  // a jump's drop over a gap shows nothing

}  // namespace

bool NothingBelow(const World& level) {
  const double left = level.RunnerX - BodyLeft, right = level.RunnerX + BodyRight, feet = level.RunnerY;
  for (int column = std::max(0, static_cast<int>(left) / CellWidth);
       column <= std::min(GridSize - 1, static_cast<int>(right) / CellWidth); ++column) {
    for (int row = std::max(0, static_cast<int>(feet) / CellHeight); row < GridSize; ++row) {
      if (level.Cell(column, row) != TileEmpty) return false;
    }
  }
  return std::none_of(level.ObjectList.begin(), level.ObjectList.end(), [&](const LevelObject& object) {
    return object.Kind == ObjectExit && object.X < right && object.X + 40 > left && object.Y + 40 > feet;
  });
}

bool FellOutOfLevel(const World& level) {
  int lowestRow = -1;
  for (int column = 0; column < GridSize; ++column) {
    for (int row = GridSize - 1; row > lowestRow; --row) {
      if (level.Cell(column, row) != TileEmpty) lowestRow = row;
    }
  }
  if (level.RunnerY < (lowestRow + 1) * CellHeight) return false;
  const double top = level.RunnerY - BodyHeight;
  return std::none_of(level.ObjectList.begin(), level.ObjectList.end(), [&](const LevelObject& object) {
    return !KindHasRule(object.Kind, ContactRule::Eaten) && object.Y + 40 > top;
  });
}

int32_t StepFallTop(int32_t fallTop, const World& level, const RunnerMotion& runner) {
  if (runner.VelY <= 0 || !NothingBelow(level)) return -1;
  return fallTop >= 0 ? fallTop : static_cast<int32_t>(level.RunnerY);
}

int32_t FallDepth(int32_t fallTop, const World& level) {
  const int32_t start = fallTop + JumpHeight;
  if (fallTop < 0 || level.RunnerY < start || start >= BoundsFoot) return -1;
  return std::clamp(static_cast<int32_t>(256 * (level.RunnerY - start) / (BoundsFoot - start)), 0, 256);
}

}  // namespace tobu
