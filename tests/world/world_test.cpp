#include <gtest/gtest.h>

#include "world/world.h"

namespace tobu {
namespace {

TEST(World, PixelsFallIntoCellsByTruncation) {
  const struct {
    int32_t x, y;
    bool solid;
  } cases[] = {
      {39, 30, true},    // column 0, row 0
      {40, 30, false},   // column 1
      {39, 31, false},   // row 1
      {-39, -30, true},  // truncation toward zero: still cell (0, 0)
      {-40, 0, false},   // column -1 lies outside the grid: empty
      {0, -31, false},
      {4039, 3130, false},
      {4040, 0, false},  // column 101: outside, never read
  };
  World world;
  world.SetCell(0, 0, TileGrass);
  for (const auto& c : cases) EXPECT_EQ(world.SolidAt(c.x, c.y), c.solid) << c.x << "," << c.y;
  world.SetCell(100, 100, 7);  // any non-zero code is solid
  EXPECT_TRUE(world.SolidAt(4039, 3130));
}

TEST(World, GridIsKeptColumnByColumn) {
  World world;
  world.SetCell(1, 0, 5);
  world.SetCell(100, 100, 9);
  EXPECT_EQ(world.TileGrid[101], 5);
  EXPECT_EQ(world.TileGrid[10200], 9);
}

TEST(World, CenterCameraRoundsHalfToEvenAndClamps) {
  const struct {
    double x, y;
    int32_t cameraX, cameraY;
  } cases[] = {
      {100, 100, 0, 0},
      {4000, 3100, 3360, 2620},
      {1000.5, 1000.5, 684, 700},
      {1001.5, 1001.5, 686, 702},
      {-500, -500, 0, 0},
  };
  for (const auto& c : cases) {
    World world;
    world.RunnerX = c.x;
    world.RunnerY = c.y;
    world.CenterCamera();
    EXPECT_EQ(world.CameraX, c.cameraX) << c.x;
    EXPECT_EQ(world.CameraY, c.cameraY) << c.y;
  }
}

TEST(World, ObjectsKeepTheirOrder) {
  World world;
  for (int i = 0; i < 3; ++i) world.AppendObject().X = i;
  world.RemoveObject(0);
  ASSERT_EQ(world.ObjectCount, 2);
  EXPECT_EQ(world.ObjectList[0].X, 1);
  EXPECT_EQ(world.ObjectList[1].X, 2);
  world.ReplaceObjects({});
  EXPECT_EQ(world.ObjectCount, 0);
  // A new record starts zeroed: a food object at (0, 0).
  EXPECT_EQ(world.AppendObject(), LevelObject{});
}

TEST(World, ClearLevelEmptiesEverything) {
  World world;
  world.SetCell(3, 4, TileGround);
  world.AppendObject().Kind = ObjectExit;
  world.RunnerX = 7;
  world.CameraX = 99;
  world.ClearLevel();
  EXPECT_EQ(world.Cell(3, 4), TileEmpty);
  EXPECT_EQ(world.ObjectCount, 0);
  EXPECT_EQ(world.RunnerX, 100.0);
  EXPECT_EQ(world.RunnerY, 100.0);
  EXPECT_EQ(world.CameraX, 0);
}

} // namespace
} // namespace tobu
