#include "editor/level_checks.h"

#include <gtest/gtest.h>

namespace tobu {
namespace {

// The start's body against the cells as the runner's probes take them: a body whose feet
// rest on a floor's top row is not inside it; half a pixel lower (rounded up) it is.
TEST(LevelProblems, NamesWhatMakesALevelUnplayable) {
  struct Case {
    const char* Name;
    bool Food, Exit;
    double StartX, StartY;
    std::vector<std::string> Expected;
  };
  // Grass at column 2, row 5 (x 80..119, y 155..185) and a wall at column 10, rows 0..100.
  const Case cases[] = {
      {"no objects", false, false, 100, 100, {"no exit", "no food"}},
      {"playable", true, true, 100, 100, {}},
      {"feet on the floor", true, true, 100, 154, {}},
      {"half a pixel into it", true, true, 100, 154.6, {"the start is inside rock"}},
      {"beside the floor", true, false, 133, 100, {"no exit", "nothing under the start"}},
      {"body reaching its column", true, true, 132, 100, {}},
      {"in the wall", false, true, 410, 500, {"no food", "the start is inside rock"}},
      {"left of the world", true, true, -500, 100, {"nothing under the start"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    World world;
    world.SetCell(2, 5, TileGrass);
    for (int row = 0; row < GridSize; ++row) world.SetCell(10, row, TileGround);
    if (c.Food) world.AppendObject().Kind = ObjectFood;
    if (c.Exit) world.AppendObject().Kind = ObjectExit;
    world.RunnerX = c.StartX;
    world.RunnerY = c.StartY;
    EXPECT_EQ(LevelProblems(world), c.Expected);
  }
}

}  // namespace
}  // namespace tobu
