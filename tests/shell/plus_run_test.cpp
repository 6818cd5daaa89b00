// tobu plus's view of a run: its camera and the numbers it shows.
#include "shell/plus_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "present/plus_hud.h"
#include "present/plus_view.h"
#include "sim/collision.h"
#include "world/file_io.h"
#include "world/level_file.h"
#include "world/numeric.h"

namespace tobu {
namespace {

// A floor of ground along row 60, a ledge 20 rows lower at the right, the runner on the floor.
World Floors() {
  World world;
  for (int c = 0; c < GridSize; ++c) world.SetCell(c, 60, TileGround);
  for (int c = 0; c < 12; ++c) world.SetCell(c, 60, TileEmpty);
  for (int c = 0; c < GridSize; ++c) world.SetCell(c, 80, TileGround);
  world.RunnerX = 900;
  world.RunnerY = 60 * CellHeight - 1;
  return world;
}

// Runs `ticks` ticks with `keys` held; the spans the world's camera and the drawing
// camera covered vertically, and the runner's feet's lowest and highest rows on screen.
struct CameraTrace {
  int32_t WorldSpan = 0, ViewSpan = 0, HighestFeet = ViewHeight, LowestFeet = 0;
};
CameraTrace Trace(World world, std::initializer_list<uint16_t> keys, int ticks) {
  RunnerMotion runner;
  KeyTable held{};
  for (const uint16_t key : keys) held[key] = true;
  MotionStep(world, runner, {});  // settle on the floor
  world.ClampCamera();
  PlusRunView view;
  BeginPlusRun(view, world);
  int32_t worldLow = world.CameraY, worldHigh = world.CameraY, viewLow = view.Camera.Y,
          viewHigh = view.Camera.Y;
  CameraTrace trace;
  for (int i = 0; i < ticks; ++i) {
    MotionStep(world, runner, held);
    world.ClampCamera();
    view.Camera = FollowRunner(view.Camera, world, OnFloor(world));
    worldLow = std::min(worldLow, world.CameraY), worldHigh = std::max(worldHigh, world.CameraY);
    viewLow = std::min(viewLow, view.Camera.Y), viewHigh = std::max(viewHigh, view.Camera.Y);
    const int32_t feet = RoundPixel(world.RunnerY) - view.Camera.Y;
    trace.HighestFeet = std::min(trace.HighestFeet, feet),
    trace.LowestFeet = std::max(trace.LowestFeet, feet);
  }
  trace.WorldSpan = worldHigh - worldLow;
  trace.ViewSpan = viewHigh - viewLow;
  return trace;
}

TEST(PlusCamera, AJumpMovesTheWorldCameraOnlyAndAFallStaysInTheBand) {
  World ledge = Floors();
  ledge.RunnerX = 12 * CellWidth + 30;  // by the gap's edge: running left falls 20 rows
  const struct {
    const char* Name;
    World Start;
    std::initializer_list<uint16_t> Keys;
    int Ticks;
    CameraTrace Expected;
  } cases[] = {
      {"a jump on the spot", Floors(), {VkSpace}, 80, {101, 0, 199, 295}},
      {"a fall of 20 rows", ledge, {VkLeft}, 160, {623, 620, 300, 366}},
  };
  for (const auto& c : cases) {
    const CameraTrace trace = Trace(c.Start, c.Keys, c.Ticks);
    EXPECT_EQ(trace.WorldSpan, c.Expected.WorldSpan) << c.Name;
    EXPECT_EQ(trace.ViewSpan, c.Expected.ViewSpan) << c.Name;
    EXPECT_EQ(trace.HighestFeet, c.Expected.HighestFeet) << c.Name;
    EXPECT_EQ(trace.LowestFeet, c.Expected.LowestFeet) << c.Name;
  }
}

// Sideways the drawing camera looks up to LookAheadMost pixels ahead the way the runner
// goes; tick by tick it never moves against the runner, stands still when the runner does,
// and stays inside the world.
TEST(PlusCamera, LooksAheadTheWayTheRunnerGoes) {
  struct Phase {
    uint16_t Key;  // held, 0 for none
    int Ticks;
  };
  const struct {
    const char* Name;
    double StartX;
    std::vector<Phase> Phases;
    int32_t Ahead;  // the drawing camera's x less the world's at the end
  } cases[] = {
      {"running right", 900, {{VkRight, 120}}, 88},
      {"running left", 1900, {{VkLeft, 120}}, -88},
      {"running, then stopping", 900, {{VkRight, 120}, {0, 80}}, 88},
      {"a short step", 900, {{VkRight, 12}, {0, 30}}, 12},
      {"turning round", 900, {{VkRight, 120}, {VkLeft, 40}}, 84},
      {"turned round", 900, {{VkRight, 120}, {VkLeft, 120}}, -88},
      {"at the world's left edge", 380, {{VkLeft, 100}}, 0},
      {"at the world's right edge", 3800, {{VkRight, 100}}, 0},
  };
  for (const auto& c : cases) {
    World world;
    for (int col = 0; col < GridSize; ++col) world.SetCell(col, 60, TileGround);
    world.RunnerX = c.StartX;
    world.RunnerY = 60 * CellHeight - 1;
    world.ClampCamera();
    RunnerMotion runner;
    PlusRunView view;
    BeginPlusRun(view, world);
    for (const Phase& phase : c.Phases) {
      KeyTable held{};
      if (phase.Key != 0) held[phase.Key] = true;
      for (int i = 0; i < phase.Ticks; ++i) {
        const int32_t x = RoundPixel(world.RunnerX), cameraX = view.Camera.X;
        MotionStep(world, runner, held);
        world.ClampCamera();
        StepPlusRun(view, RunStepResult{}, world, runner, ExitContacts{});
        const int32_t moved = RoundPixel(world.RunnerX) - x, panned = view.Camera.X - cameraX;
        ASSERT_TRUE(moved == 0 ? panned == 0 : panned * moved >= 0) << c.Name << " tick " << i;
        ASSERT_LE(std::abs(view.Camera.X - world.CameraX), LookAheadMost) << c.Name << " tick " << i;
        ASSERT_TRUE(view.Camera.X >= 0 && view.Camera.X <= CameraMaxX) << c.Name << " tick " << i;
      }
    }
    EXPECT_EQ(view.Camera.X - world.CameraX, c.Ahead) << c.Name;
  }
}

// At the start of every shipped level the HUD strip and the banner beside it hide no
// food, daisy, killer or the runner.
TEST(PlusHudPlace, HidesNothingAtAnyLevelsStart) {
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(TOBU_SOURCE_DIR) / "Levels")) {
    const std::string name = entry.path().filename().string();
    World world;
    UseLevel(ParseLevel(ReadWholeFile(entry.path().string()), name), world);
    world.ClampCamera();
    PlusRunView view;
    BeginPlusRun(view, world);
    const int32_t height = HudHeight + LevelBannerHeight(true);
    PlaceHud(view, world, LevelBannerHeight(true));
    const int32_t top = view.HudAtBottom ? ViewHeight - height : 0;
    EXPECT_EQ(HiddenUnder(world, view.Camera, top, height), 0) << name;
  }
}

TEST(PlusNumbers, BestTimeGainInSeconds) {
  const struct {
    int32_t Old, New;
    const char* Delta;
  } gains[] = {{10523, 10481, "-0.42"},
               {10000, 5990, "-0.10"},
               {2000, 1907, "-0.93"},
               {20000, 10523, "-54.77"},
               {10000, 20000, "+1:00.00"}};
  for (const auto& g : gains) EXPECT_EQ(BestTimeDelta(g.Old, g.New), g.Delta) << g.Old << " " << g.New;
}

}  // namespace
}  // namespace tobu
