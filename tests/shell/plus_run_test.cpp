// tobu plus's view of a run: its camera and the numbers it shows.
#include "shell/plus_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "present/plus_hud.h"
#include "present/plus_view.h"
#include "shell/plus_fall.h"
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

// Ground along row 60 eight rows deep, as a road along the ground; from column `bridgeFrom`
// on, only its top row, a bridge over open space. Before column `roofTo`, a tunnel's roof
// of rock three rows over the road; from there on, only its lowest row, a ledge.
World DeepGround(int bridgeFrom = GridSize, int roofTo = 0) {
  World world;
  for (int c = 0; c < GridSize; ++c) {
    for (int r = 60; r < (c < bridgeFrom ? 68 : 61); ++r) world.SetCell(c, r, TileGround);
    for (int r = c < roofTo ? 51 : 56; roofTo > 0 && r < 57; ++r) world.SetCell(c, r, TileGround);
  }
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
    StepPlusRun(view, RunStepResult{}, world, runner, ExitContacts{});
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

// On a floor the feet stand on row 300 of the view, or 380 over deep ground, or in the
// middle of a tunnel through it; a jump moves the world's camera only, wherever it starts.
// A fall looks ahead below the runner until the ground it falls to shows.
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
      {"a fall of 20 rows", ledge, {VkLeft}, 160, {623, 620, 203, 354}},
      {"a jump off the edge", ledge, {VkLeft, VkSpace}, 160, {701, 670, 199, 318}},
      {"a jump on deep ground", DeepGround(), {VkSpace}, 80, {101, 0, 279, 375}},
      {"a running jump over a bridge", DeepGround(25), {VkRight, VkSpace}, 80, {101, 0, 279, 375}},
      {"from deep ground onto a bridge", DeepGround(25), {VkRight}, 160, {0, 80, 300, 380}},
      {"out of a tunnel, under a ledge", DeepGround(GridSize, 25), {VkRight}, 160, {0, 94, 286, 380}},
  };
  for (const auto& c : cases) {
    const CameraTrace trace = Trace(c.Start, c.Keys, c.Ticks);
    EXPECT_EQ(trace.WorldSpan, c.Expected.WorldSpan) << c.Name;
    EXPECT_EQ(trace.ViewSpan, c.Expected.ViewSpan) << c.Name;
    EXPECT_EQ(trace.HighestFeet, c.Expected.HighestFeet) << c.Name;
    EXPECT_EQ(trace.LowestFeet, c.Expected.LowestFeet) << c.Name;
  }
}

// Off the edge, the view darkens over a fall into nothing only, from a jump's height under
// the edge to full at the world's foot; not over a fall onto the ledge or a daisy. "Fell
// out" shows under the lowest rock (row 80) and under a daisy, fallen past while locked.
TEST(PlusFall, ShowsOnlyAFallNothingStops) {
  World open = Floors(), daisy = Floors();
  for (int c = 0; c < 12; ++c) open.SetCell(c, 80, TileEmpty), daisy.SetCell(c, 80, TileEmpty);
  daisy.ObjectList.push_back({ObjectExit, 10 * CellWidth, 3000}), daisy.ObjectCount = 1;
  for (auto [world, firstShownY, deepest, fellOutY] :
       {std::tuple{Floors(), -1, -1, -1}, {open, 1952, 256, 2514}, {daisy, -1, -1, 3100}}) {
    world.RunnerX = 12 * CellWidth + 12;  // at the edge
    RunnerMotion runner;
    KeyTable held{};
    int32_t fallTop = -1, firstShown = -1, depth = -1, fellOut = -1;
    for (int tick = 0; tick < 600 && world.RunnerY < 3100; ++tick) {
      held[VkLeft] = tick < 25;  // over the edge
      MotionStep(world, runner, held);
      fallTop = StepFallTop(fallTop, world, runner);
      depth = FallDepth(fallTop, world);
      if (depth >= 0 && firstShown < 0) firstShown = RoundPixel(world.RunnerY);
      if (FellOutOfLevel(world) && fellOut < 0) fellOut = RoundPixel(world.RunnerY);
    }
    EXPECT_EQ(firstShown, firstShownY);
    EXPECT_EQ(fellOut, fellOutY);
    EXPECT_EQ(depth, deepest);  // at the last tick
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

// The HUD stays along the top and relies on the camera to keep the runner clear of it:
// at the start of every shipped level no panel is over the runner.
TEST(PlusHud, CoversNoRunnerAtAnyLevelsStart) {
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(TOBU_SOURCE_DIR) / "Levels")) {
    const std::string name = entry.path().filename().string();
    World world;
    UseLevel(ParseLevel(ReadWholeFile(entry.path().string()), name), world);
    world.ClampCamera();
    world.ObjectList.clear();  // the runner alone
    PlusRunView view;
    BeginPlusRun(view, world);
    for (const HudRect& panel : HudPanels) EXPECT_FALSE(PassesUnder(world, view.Camera, panel)) << name;
  }
}

// A panel fades while the runner (no object) passes under it and comes back after, one step a tick;
// at the run's first tick it starts where it belongs. A thing, if any, comes under the
// view's top after the first tick and goes `Ticks` later. Fades per tick: best/food/clock.
TEST(PlusHud, PanelsFadeOnlyOverTheRunner) {
  const struct {
    const char* Name;
    int32_t RunnerX, RunnerY;  // in the world; the camera's x is 0
    bool Thing;
    LevelObject Under;  // on the view
    int Ticks;
    const char* Trace;
  } cases[] = {
      {"nothing", 300, 800, false, {}, 2, "0/0/0 0/0/0 0/0/0 0/0/0 0/0/0"},
      {"food under the clock",
       300,
       800,
       true,
       {ObjectFood, 560, 10},
       10,
       "0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0 0/0/0"},
      {"a killer between two panels", 300, 800, true, {ObjectKiller, 178, 0}, 1, "0/0/0 0/0/0 0/0/0 0/0/0"},
      {"a daisy's top under the food", 300, 800, true, {ObjectExit, 200, 30}, 1, "0/0/0 0/0/0 0/0/0 0/0/0"},
      {"the runner at the world's top", 100, 40, false, {}, 1, "8/0/0 8/0/0 8/0/0 8/0/0"},
  };
  for (const auto& c : cases) {
    World world;
    world.RunnerX = c.RunnerX;
    world.RunnerY = c.RunnerY;
    PlusRunView view;
    BeginPlusRun(view, world);
    std::string trace;
    for (int tick = 0; tick <= c.Ticks + 2; ++tick) {
      if (tick == 1 && c.Thing)
        world.AppendObject() = {c.Under.Kind, view.Camera.X + c.Under.X, view.Camera.Y + c.Under.Y};
      if (tick == c.Ticks + 1) world.ObjectList.clear();
      view.Age = tick;
      FadeHud(view, world);
      for (const int32_t fade : view.HudFade) trace += std::to_string(fade) + "/";
      trace.back() = ' ';
    }
    trace.pop_back();
    EXPECT_EQ(trace, c.Trace) << c.Name;
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
