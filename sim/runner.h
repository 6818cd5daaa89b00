#pragma once
#include <cstdint>

#include "events/game_events.h"
#include "sim/keys.h"
#include "world/world.h"

namespace tobu {

enum Facing : uint8_t { FacingLeft = 0, FacingRight = 1 };

// The runner's motion state; its position is World::RunnerX / RunnerY.
struct RunnerMotion {
  double VelX = 0.0;  // pixels per tick, positive to the right
  double VelY = 0.0;  // pixels per tick, positive downwards
  uint8_t Facing = FacingLeft;
  bool JumpRequest = false;
  int32_t OldX = 0;
  int32_t OldY = 0;
  int32_t RunTick = 0;
  int32_t RunFrame = 0;
};

constexpr int RunFrameCount = 12;  // frames of the running sheets

// Zeroed speeds, facing left: how every run starts.
void ResetRunnerForRun(RunnerMotion& runner);

// One tick of motion in "game": controls, jump, gravity, the moves against the tiles
// and the camera following the runner (the tick clamps it afterwards). A jump from the
// floor is reported to `events` and returned as true.
bool MotionStep(World& world, RunnerMotion& runner, const KeyTable& keyHeld, EventQueue& events);
// True when Space held in the next step makes the runner jump from the floor.
bool CanJump(const World& world);
// The same step for callers that want no events.
void MotionStep(World& world, RunnerMotion& runner, const KeyTable& keyHeld);

// Advances the run animation; called every tick in every mode.
void AdvanceRunAnimation(RunnerMotion& runner);

// Which runner picture a run shows and where its top-left corner lies in the world.
struct RunnerSprite {
  bool Running = false;
  bool FacingRight = false;
  int Frame = 0;
  int32_t Left = 0;
  int32_t Top = 0;
};
RunnerSprite ChooseRunnerSprite(double runnerX, double runnerY, const RunnerMotion& runner,
                                const KeyTable& keyHeld);
inline RunnerSprite ChooseRunnerSprite(const World& world, const RunnerMotion& runner, const KeyTable& keyHeld) {
  return ChooseRunnerSprite(world.RunnerX, world.RunnerY, runner, keyHeld);
}

} // namespace tobu
