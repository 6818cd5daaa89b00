#include "sim/runner.h"

#include <cmath>

#include "sim/collision.h"
#include "world/numeric.h"

namespace tobu {

bool CanJump(const World& world) { return OnFloor(world) && !BodyInSolidCell(world); }

namespace {

// The step constants are held in extended precision; the sums round to double when
// stored, which is what makes the top speed 3.0000000000000013.
constexpr long double Acceleration = 0.1L;
constexpr long double Gravity = 0.1L;
constexpr long double SinkInSolid = 0.01L;
constexpr double JumpSpeed = -4.2;
constexpr double JumpOutOfSolid = -2.0;
constexpr double TopSpeedX = 3.0;
constexpr double TopFallSpeed = 8.0;

void HorizontalControl(RunnerMotion& runner, const KeyTable& keyHeld) {
  const bool left = keyHeld[VkLeft];
  const bool right = keyHeld[VkRight];
  if (left && runner.VelX > -TopSpeedX) {
    runner.VelX = AddExtended(runner.VelX, -Acceleration);
    runner.Facing = FacingLeft;
  }
  if (right && !left && runner.VelX < TopSpeedX) {
    runner.VelX = AddExtended(runner.VelX, Acceleration);
    runner.Facing = FacingRight;
  }
  if (!left && !right) {  // friction
    if (runner.VelX > 0) runner.VelX = AddExtended(runner.VelX, -Acceleration);
    if (runner.VelX < 0) runner.VelX = AddExtended(runner.VelX, Acceleration);
    if (runner.VelX > -Acceleration && runner.VelX < Acceleration) runner.VelX = 0.0;
  }
}

// True when the runner jumped from the floor.
bool Jump(const World& world, RunnerMotion& runner, const KeyTable& keyHeld, EventQueue& events) {
  if (keyHeld[VkSpace]) runner.JumpRequest = true;
  const bool jumped = runner.JumpRequest && CanJump(world);
  if (jumped) {
    runner.VelY = JumpSpeed;
    events.Push(GameEvent::Jump);
  }
  // A runner stuck in a solid cell may still try to climb out.
  if (runner.JumpRequest && BodyInSolidCell(world)) runner.VelY = JumpOutOfSolid;
  runner.JumpRequest = false;
  return jumped;
}

void ApplyGravity(const World& world, RunnerMotion& runner) {
  if (runner.VelY < TopFallSpeed && !BodyInSolidCell(world)) runner.VelY = AddExtended(runner.VelY, Gravity);
  // Inside a solid cell there is no gravity, only a slow sink capped at 1.
  if (runner.VelY < 1.0 && BodyInSolidCell(world)) runner.VelY = AddExtended(runner.VelY, SinkInSolid);
  if (runner.VelY > 1.0 && BodyInSolidCell(world)) runner.VelY = 1.0;
}

void RememberPosition(const World& world, RunnerMotion& runner) {
  runner.OldX = RoundPixel(world.RunnerX);
  runner.OldY = RoundPixel(world.RunnerY);
}

// Moves one axis: speeds above 1 in whole-pixel steps (each undone on a collision),
// then, if the speed is (or has become) at most 1, by the exact fraction.
void MoveAxis(World& world, RunnerMotion& runner, int axis) {
  double& position = axis == 1 ? world.RunnerX : world.RunnerY;
  double& speed = axis == 1 ? runner.VelX : runner.VelY;
  if (std::fabs(speed) > 1.0) {
    int steps = 0;
    do {
      RememberPosition(world, runner);
      position = AddExtended(position, speed > 0 ? 1.0L : -1.0L);
      UndoStepIntoSolid(world, runner, axis);
      ++steps;
    } while (speed != 0.0 && steps < std::fabs(speed));
  }
  if (std::fabs(speed) <= 1.0) {
    position = AddExtended(position, speed);
    UndoStepIntoSolid(world, runner, axis);
  }
}

}  // namespace

void ResetRunnerForRun(RunnerMotion& runner) {
  runner.VelX = 0.0;
  runner.VelY = 0.0;
  runner.Facing = FacingLeft;
}

void MotionStep(World& world, RunnerMotion& runner, const KeyTable& keyHeld) {
  EventQueue ignored;
  MotionStep(world, runner, keyHeld, ignored);
}

bool MotionStep(World& world, RunnerMotion& runner, const KeyTable& keyHeld, EventQueue& events) {
  HorizontalControl(runner, keyHeld);
  const bool jumped = Jump(world, runner, keyHeld, events);
  ApplyGravity(world, runner);
  RememberPosition(world, runner);
  MoveAxis(world, runner, 1);
  RememberPosition(world, runner);
  MoveAxis(world, runner, 2);
  // The camera follows the feet; the tick clamps it to the world afterwards.
  world.CameraX = RoundPixel(world.RunnerX) - 316;
  world.CameraY = RoundPixel(world.RunnerY) - 300;
  return jumped;
}

void AdvanceRunAnimation(RunnerMotion& runner) {
  // The faster the runner, the sooner the next frame: every 6 ticks at rest, 3 at top speed.
  ++runner.RunTick;
  const long double threshold = 6.0L - std::fabs(static_cast<long double>(runner.VelX));
  if (runner.RunTick >= std::lrint(threshold)) {
    ++runner.RunFrame;
    if (runner.RunFrame > RunFrameCount - 1) runner.RunFrame = 0;
    runner.RunTick = 0;
  }
}

RunnerSprite ChooseRunnerSprite(double runnerX, double runnerY, const RunnerMotion& runner,
                                const KeyTable& keyHeld) {
  const int32_t rx = RoundPixel(runnerX);
  const int32_t ry = RoundPixel(runnerY);
  const bool right = runner.Facing == FacingRight;
  const bool facingKeyHeld = right ? keyHeld[VkRight] : keyHeld[VkLeft];
  RunnerSprite sprite;
  sprite.FacingRight = right;
  // A runner falling without speed or key is drawn standing.
  sprite.Running = runner.VelX != 0.0 || facingKeyHeld || runner.VelY < 0.0;
  if (sprite.Running) {
    sprite.Frame = runner.RunFrame;
    sprite.Left = rx - (right ? 23 : 21);
    sprite.Top = ry - 64;
  } else {
    sprite.Frame = 0;
    sprite.Left = rx - 14;
    sprite.Top = ry - 61;
  }
  return sprite;
}

}  // namespace tobu
