#pragma once
#include "world/world.h"

namespace tobu::testing {

// An empty level with one full row of ground: its top pixel row is y = 31 * row.
inline World FloorWorld(int row) {
  World world;
  world.ClearLevel();
  for (int column = 0; column < GridSize; ++column) world.SetCell(column, row, TileGround);
  return world;
}

inline World EmptyWorld() {
  World world;
  world.ClearLevel();
  return world;
}

}  // namespace tobu::testing
