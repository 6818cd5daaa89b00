#include <gtest/gtest.h>

#include <cmath>

#include "sim/collision.h"
#include "sim/runner.h"
#include "sim_test_worlds.h"

namespace tobu {
namespace {

using testing::EmptyWorld;
using testing::FloorWorld;

KeyTable Keys(std::initializer_list<int> held) {
  KeyTable keys{};
  for (const int key : held) keys[key] = true;
  return keys;
}

// Accelerating from rest in open air: the speeds and the pixels moved per tick.
TEST(MotionStep, RunningSpeedsFromRest) {
  struct Tick {
    int tick;
    double velX;
    double moved;
  };
  const Tick expected[] = {
      {1, 0.1, 0.1},
      {10, 0.9999999999999999, 1.0},  // still a fractional move
      {11, 1.0999999999999999, 2.0},
      {20, 2.0000000000000004, 3.0},
      {21, 2.1000000000000005, 3.0},
      {29, 2.9000000000000012, 3.0},
      {30, 3.0000000000000013, 4.0},  // not below 3.0: the top speed
      {40, 3.0000000000000013, 4.0},
  };
  World world = EmptyWorld();
  world.RunnerX = 200.0;
  world.RunnerY = 100.0;
  RunnerMotion runner;
  const KeyTable right = Keys({VkRight});
  int tick = 0;
  for (const Tick& want : expected) {
    double before = 0;
    while (tick < want.tick) {
      before = world.RunnerX;
      MotionStep(world, runner, right);
      ++tick;
    }
    EXPECT_EQ(runner.VelX, want.velX) << "tick " << tick;
    EXPECT_NEAR(world.RunnerX - before, want.moved, 1e-9) << "tick " << tick;
    EXPECT_EQ(runner.Facing, FacingRight);
  }
}

TEST(MotionStep, FrictionStopsTopSpeedIn29Ticks) {
  World world = FloorWorld(50);
  world.RunnerX = 200.0;
  world.RunnerY = 31 * 50 - 1;
  RunnerMotion runner;
  runner.VelX = 3.0000000000000013;
  int ticks = 0;
  while (runner.VelX != 0.0 && ticks < 100) {
    MotionStep(world, runner, KeyTable{});
    ++ticks;
  }
  EXPECT_EQ(ticks, 29);
}

TEST(MotionStep, FallingSpeedStopsAt8point1After81Ticks) {
  World world = EmptyWorld();
  world.RunnerX = 200.0;
  world.RunnerY = 100.0;
  RunnerMotion runner;
  for (int tick = 1; tick <= 80; ++tick) MotionStep(world, runner, KeyTable{});
  EXPECT_LT(runner.VelY, 8.0);
  MotionStep(world, runner, KeyTable{});
  EXPECT_EQ(runner.VelY, 8.099999999999987);
  const double before = world.RunnerY;
  MotionStep(world, runner, KeyTable{});
  EXPECT_EQ(runner.VelY, 8.099999999999987);
  EXPECT_EQ(world.RunnerY - before, 9.0);  // the top falling speed is 9 pixels per tick
}

TEST(MotionStep, StandingOnAFloorGravityIsUndoneEveryThirdTick) {
  World world = FloorWorld(10);
  world.RunnerX = 200.0;
  world.RunnerY = 309.0;
  RunnerMotion runner;
  const double velY[] = {0.1, 0.2, 0.0, 0.1, 0.2, 0.0};
  for (const double want : velY) {
    MotionStep(world, runner, KeyTable{});
    EXPECT_EQ(runner.VelY, want);
    EXPECT_GE(world.RunnerY, 309.0);
    EXPECT_LE(world.RunnerY, 309.3);
    EXPECT_FALSE(BodyInSolidCell(world));
  }
  EXPECT_EQ(world.RunnerY, 309.0);
}

TEST(MotionStep, StandingJumpRisesAndLands) {
  World world = FloorWorld(10);
  world.RunnerX = 200.0;
  world.RunnerY = 309.0;
  RunnerMotion runner;
  MotionStep(world, runner, Keys({VkSpace}));
  EXPECT_EQ(runner.VelY, -4.1000000000000005);  // -4.2 + 0.1
  EXPECT_EQ(world.RunnerY, 304.0);              // 5 whole pixels up in the first tick
  double highest = world.RunnerY;
  int highestTick = 1;
  int landedTick = 0;
  for (int tick = 2; tick <= 200 && landedTick == 0; ++tick) {
    const bool falling = runner.VelY > 0;
    MotionStep(world, runner, KeyTable{});
    if (world.RunnerY < highest) {
      highest = world.RunnerY;
      highestTick = tick;
    }
    if (falling && runner.VelY == 0.0) landedTick = tick;
  }
  EXPECT_EQ(highestTick, 41);
  EXPECT_DOUBLE_EQ(309.0 - highest, 101.5);
  EXPECT_EQ(landedTick, 83);
  EXPECT_EQ(world.RunnerY, 309.0);
}

TEST(MotionStep, HeldSpaceJumpsAgainOnLandingButNotInTheAir) {
  World world = FloorWorld(10);
  world.RunnerX = 200.0;
  world.RunnerY = 200.0;  // in the air
  RunnerMotion runner;
  MotionStep(world, runner, Keys({VkSpace}));
  EXPECT_GT(runner.VelY, 0.0);
  EXPECT_FALSE(runner.JumpRequest);
  int tick = 0;
  while (runner.VelY >= 0.0 && tick < 200) {
    MotionStep(world, runner, Keys({VkSpace}));
    ++tick;
  }
  EXPECT_EQ(runner.VelY, -4.1000000000000005);  // -4.2 + 0.1
}

TEST(MotionStep, LeftAndRightTogetherAccelerateLeft) {
  World world = EmptyWorld();
  world.RunnerX = 200.0;
  world.RunnerY = 100.0;
  RunnerMotion runner;
  runner.Facing = FacingRight;
  MotionStep(world, runner, Keys({VkLeft, VkRight}));
  EXPECT_EQ(runner.VelX, -0.1);
  EXPECT_EQ(runner.Facing, FacingLeft);
  MotionStep(world, runner, Keys({VkLeft, VkRight}));
  EXPECT_EQ(runner.VelX, -0.2);
}

TEST(MotionStep, TurningAtTopSpeedFacesLeftAtOnce) {
  World world = EmptyWorld();
  world.RunnerX = 200.0;
  world.RunnerY = 100.0;
  RunnerMotion runner;
  runner.VelX = 3.0000000000000013;
  runner.Facing = FacingRight;
  MotionStep(world, runner, Keys({VkLeft}));
  EXPECT_EQ(runner.Facing, FacingLeft);
  EXPECT_EQ(runner.VelX, 2.9000000000000012);
}

TEST(MotionStep, WallStopsRunnerAtLastFreePixel) {
  World world = FloorWorld(20);                                           // floor top y = 620
  for (int row = 0; row < 20; ++row) world.SetCell(10, row, TileGround);  // wall at x = 400
  world.RunnerX = 300.0;
  world.RunnerY = 619.0;
  RunnerMotion runner;
  bool stopped = false;
  for (int tick = 0; tick < 200 && !stopped; ++tick) {
    const double velBefore = runner.VelX;
    MotionStep(world, runner, Keys({VkRight}));
    stopped = velBefore > 1.0 && runner.VelX == 0.0;
    EXPECT_LE(world.RunnerX, 388.0);
  }
  ASSERT_TRUE(stopped);
  EXPECT_EQ(world.RunnerX, 388.0);
  EXPECT_FALSE(BodyInSolidCell(world));
}

TEST(MotionStep, InsideASolidCell) {
  struct Case {
    const char* what;
    double startY;
    bool space;
    double endY;
  };
  // Floor top at y = 310: feet at 310 are one pixel deep, at 312 three pixels.
  const Case cases[] = {
      {"one pixel deep, no key", 310.0, false, 310.0},
      {"one pixel deep, Space lifts out by two", 310.0, true, 308.0},
      {"three pixels deep, Space is undone", 312.0, true, 312.0},
  };
  for (const Case& c : cases) {
    World world = FloorWorld(10);
    world.RunnerX = 200.0;
    world.RunnerY = c.startY;
    RunnerMotion runner;
    ASSERT_TRUE(BodyInSolidCell(world)) << c.what;
    MotionStep(world, runner, c.space ? Keys({VkSpace}) : KeyTable{});
    EXPECT_EQ(world.RunnerY, c.endY) << c.what;
    if (!c.space) {
      EXPECT_EQ(runner.VelY, 0.0) << c.what;
    }
  }
}

TEST(MotionStep, CameraFollowsWithoutClamping) {
  World world = EmptyWorld();
  world.RunnerX = 100.4;
  world.RunnerY = 100.0;
  RunnerMotion runner;
  MotionStep(world, runner, KeyTable{});
  EXPECT_EQ(world.CameraX, 100 - 316);
  EXPECT_EQ(world.CameraY, 100 - 300);  // fell 0.1: still rounds to 100
  world.ClampCamera();
  EXPECT_EQ(world.CameraX, 0);
}

TEST(ResetRunnerForRun, ZeroesSpeedsAndFacesLeft) {
  RunnerMotion runner;
  runner.VelX = 2.0;
  runner.VelY = -3.0;
  runner.Facing = FacingRight;
  runner.RunFrame = 5;
  ResetRunnerForRun(runner);
  EXPECT_EQ(runner.VelX, 0.0);
  EXPECT_EQ(runner.VelY, 0.0);
  EXPECT_EQ(runner.Facing, FacingLeft);
  EXPECT_EQ(runner.RunFrame, 5);  // the animation is never reset
}

TEST(AdvanceRunAnimation, FrameRateFollowsSpeedAndWraps) {
  struct Case {
    double velX;
    int ticksPerFrame;
  };
  for (const Case c :
       {Case{0.0, 6}, Case{-1.0, 5}, Case{2.1000000000000005, 4}, Case{3.0000000000000013, 3}}) {
    RunnerMotion runner;
    runner.VelX = c.velX;
    int changes = 0;
    int lastChange = 0;
    for (int tick = 1; tick <= 12 * c.ticksPerFrame; ++tick) {
      const int before = runner.RunFrame;
      AdvanceRunAnimation(runner);
      if (runner.RunFrame != before) {
        ++changes;
        EXPECT_EQ(tick - lastChange, c.ticksPerFrame) << c.velX;
        lastChange = tick;
      }
    }
    EXPECT_EQ(changes, 12) << c.velX;
    EXPECT_EQ(runner.RunFrame, 0) << c.velX;  // frame 11 wraps to 0
  }
}

TEST(ChooseRunnerSprite, RunningOrStandingAndWhere) {
  struct Case {
    const char* what;
    uint8_t facing;
    double velX, velY;
    KeyTable keys;
    bool running;
    int32_t left, top;
  };
  // RunnerMotion at (300.5, 400.5): rx 300, ry 400.
  const Case cases[] = {
      {"still, facing left", FacingLeft, 0.0, 0.0, KeyTable{}, false, 286, 339},
      {"still, facing right", FacingRight, 0.0, 0.0, KeyTable{}, false, 286, 339},
      {"moving left", FacingLeft, -0.1, 0.0, KeyTable{}, true, 279, 336},
      {"moving right", FacingRight, 0.1, 0.0, KeyTable{}, true, 277, 336},
      {"facing key held", FacingRight, 0.0, 0.0, Keys({VkRight}), true, 277, 336},
      {"other key held", FacingRight, 0.0, 0.0, Keys({VkLeft}), false, 286, 339},
      {"rising", FacingLeft, 0.0, -0.5, KeyTable{}, true, 279, 336},
      {"falling", FacingLeft, 0.0, 0.5, KeyTable{}, false, 286, 339},
  };
  for (const Case& c : cases) {
    World world = EmptyWorld();
    world.RunnerX = 300.5;
    world.RunnerY = 400.5;
    world.CameraX = 50;  // world coordinates: the camera plays no part
    RunnerMotion runner;
    runner.Facing = c.facing;
    runner.VelX = c.velX;
    runner.VelY = c.velY;
    runner.RunFrame = 7;
    const RunnerSprite sprite = ChooseRunnerSprite(world, runner, c.keys);
    EXPECT_EQ(sprite.Running, c.running) << c.what;
    EXPECT_EQ(sprite.FacingRight, c.facing == FacingRight) << c.what;
    EXPECT_EQ(sprite.Frame, c.running ? 7 : 0) << c.what;
    EXPECT_EQ(sprite.Left, c.left) << c.what;
    EXPECT_EQ(sprite.Top, c.top) << c.what;
  }
}

}  // namespace
}  // namespace tobu
