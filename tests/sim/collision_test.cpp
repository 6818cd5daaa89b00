#include "sim/collision.h"

#include <gtest/gtest.h>

#include "sim/runner.h"
#include "sim_test_worlds.h"

namespace tobu {
namespace {

using testing::EmptyWorld;
using testing::FloorWorld;

// One solid cell, column 10 row 10: x 400..439, y 310..340. Each line of the body
// box touches it exactly at its edge.
struct BodyCase {
  double x, y;
  bool collides;
};

TEST(Collide, EachSideOfTheBodyReachesTheCellEdge) {
  World world = EmptyWorld();
  world.SetCell(10, 10, TileGrass);
  const BodyCase cases[] = {
      {389, 320, true},    {388, 320, false},   // right side rx + 11 against x = 400
      {452, 320, true},    {453, 320, false},   // left side rx - 13 against x = 439
      {420, 310, true},    {420, 309, false},   // feet line against y = 310
      {420, 398, true},    {420, 399, false},   // head line ry - 58 against y = 340
      {388.5, 320, false}, {389.5, 320, true},  // halves round to even: 388, 390
      {420, 309.6, true},  {420, 309.4, false},
  };
  for (const BodyCase& c : cases) {
    world.RunnerX = c.x;
    world.RunnerY = c.y;
    EXPECT_EQ(BodyInSolidCell(world), c.collides) << c.x << "," << c.y;
  }
}

TEST(Collide, AnyNonZeroCodeIsSolid) {
  for (const int code : {1, 2, 3, 255}) {
    World world = EmptyWorld();
    world.SetCell(10, 10, static_cast<uint8_t>(code));
    world.RunnerX = 420;
    world.RunnerY = 330;
    EXPECT_TRUE(BodyInSolidCell(world)) << code;
  }
}

TEST(Collide, FeetOnFloorAtLastFreeRow) {
  World world = FloorWorld(10);  // top row y = 310
  world.RunnerX = 200;
  world.RunnerY = 309;
  EXPECT_FALSE(BodyInSolidCell(world));
  EXPECT_TRUE(OnFloor(world));
  world.RunnerY = 310 - 0.4;  // rounds into the floor
  EXPECT_TRUE(BodyInSolidCell(world));
  world.RunnerY = 308;
  EXPECT_FALSE(OnFloor(world));
}

TEST(OnFloor, UsesRunnerYPlusOneRoundedNotRoundedFeetPlusOne) {
  World world = FloorWorld(10);
  world.RunnerX = 200;
  world.RunnerY = 308.5;  // rounds to 308, but 309.5 rounds to 310: the floor row
  EXPECT_TRUE(OnFloor(world));
  world.RunnerY = 307.5;  // 308.5 rounds to 308
  EXPECT_FALSE(OnFloor(world));
}

// A floor with a one-cell gap at column 10 (x 400..439): the body fits through and
// finds no floor only for rx 413..428.
TEST(OnFloor, OneCellGapAdmitsSixteenPositions) {
  World world = FloorWorld(10);
  world.SetCell(10, 10, TileEmpty);
  int fitting = 0;
  for (int rx = 380; rx <= 460; ++rx) {
    world.RunnerX = rx;
    world.RunnerY = 309;
    const bool gapUnderFeet = !OnFloor(world);
    world.RunnerY = 330;  // body down in the gap
    const bool fits = !BodyInSolidCell(world);
    const bool expected = rx >= 413 && rx <= 428;
    EXPECT_EQ(gapUnderFeet, expected) << rx;
    EXPECT_EQ(fits, expected) << rx;
    fitting += fits ? 1 : 0;
  }
  EXPECT_EQ(fitting, 16);
}

TEST(Collide, NegativeCoordinatesMapToColumnAndRowZero) {
  World world = EmptyWorld();
  world.SetCell(0, 0, TileGrass);
  world.RunnerX = -25;  // body x -38..-14: column 0
  world.RunnerY = 29;   // body y -29..29: row 0
  EXPECT_TRUE(BodyInSolidCell(world));
  world.RunnerX = -20;
  world.RunnerY = -5;  // the row below the feet is y = -4, row 0
  EXPECT_TRUE(OnFloor(world));
  // Far outside the grid nothing is solid and nothing outside it is read.
  world.RunnerX = -500;
  world.RunnerY = -500;
  EXPECT_FALSE(BodyInSolidCell(world));
  EXPECT_FALSE(OnFloor(world));
  world.RunnerX = 5000;
  world.RunnerY = 5000;
  EXPECT_FALSE(BodyInSolidCell(world));
}

TEST(UndoStepIntoSolid, UndoesBothCoordinatesAndZeroesOnlyItsAxis) {
  struct Case {
    int axis;
    double velX, velY;
  };
  for (const Case c : {Case{1, 0.0, 3.5}, Case{2, 2.5, 0.0}}) {
    World world = FloorWorld(10);
    RunnerMotion runner;
    runner.VelX = 2.5;
    runner.VelY = 3.5;
    runner.OldX = 201;
    runner.OldY = 305;
    world.RunnerX = 203.7;
    world.RunnerY = 311.2;  // in the floor
    UndoStepIntoSolid(world, runner, c.axis);
    EXPECT_EQ(world.RunnerX, 201.0);
    EXPECT_EQ(world.RunnerY, 305.0);
    EXPECT_EQ(runner.VelX, c.velX);
    EXPECT_EQ(runner.VelY, c.velY);
  }
}

TEST(UndoStepIntoSolid, NothingHappensWithoutCollision) {
  World world = FloorWorld(10);
  RunnerMotion runner;
  runner.VelX = 2.5;
  runner.VelY = 3.5;
  runner.OldX = 1;
  runner.OldY = 2;
  world.RunnerX = 203.7;
  world.RunnerY = 308.8;
  UndoStepIntoSolid(world, runner, 2);
  EXPECT_EQ(world.RunnerX, 203.7);
  EXPECT_EQ(world.RunnerY, 308.8);
  EXPECT_EQ(runner.VelY, 3.5);
}

}  // namespace
}  // namespace tobu
