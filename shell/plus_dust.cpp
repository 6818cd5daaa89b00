#include "shell/plus_dust.h"

#include <algorithm>
#include <cmath>

#include "sim/collision.h"
#include "world/numeric.h"

namespace tobu {
namespace {

constexpr size_t MostMotes = 96;
constexpr double KickSpeed = 2.0;   // pixels a tick: running this fast kicks up dust
constexpr int32_t KickEvery = 7;    // ticks
constexpr double SkidSpeed = 1.5;   // turning round this fast skids
constexpr double OutOfSight = 1e6;  // pixels from the world's corner

// A number in 0..n-1 from the feet's own sequence (a linear congruential generator).
int32_t Scatter(RunnerFeet& feet, int32_t n) {
  feet.Seed = feet.Seed * 1664525u + 1013904223u;
  return static_cast<int32_t>((feet.Seed >> 16) % static_cast<uint32_t>(n));
}

// A mote at the feet (x, y in pixels), pushed `dir` (-1 left, 1 right, 0 either way) at
// up to `speed`, at least a third of it, rising a little.
void Raise(RunnerFeet& feet, DustKind kind, int32_t x, int32_t y, int32_t dir, int32_t speed, int32_t life,
           int32_t size) {
  if (feet.Motes.size() >= MostMotes) return;
  DustMote mote;
  mote.Kind = kind;
  const int32_t side = dir != 0 ? dir : (Scatter(feet, 2) == 0 ? -1 : 1);
  mote.X = x * 16 + side * Scatter(feet, 8);
  mote.Y = y * 16 - Scatter(feet, 24);
  mote.VelX = side * (speed / 3 + Scatter(feet, speed - speed / 3 + 1));
  mote.VelY = -2 - Scatter(feet, 6);
  mote.Life = life + Scatter(feet, life / 3 + 1);
  mote.Size = size;
  feet.Motes.push_back(mote);
}

void Drift(RunnerFeet& feet) {
  for (DustMote& mote : feet.Motes) {
    mote.X += mote.VelX;
    mote.Y += mote.VelY;
    mote.VelX -= mote.VelX / 10;  // the air stops it
    mote.VelY -= mote.VelY / 8;
    ++mote.Age;
  }
  std::erase_if(feet.Motes, [](const DustMote& m) { return m.Age >= m.Life; });
}

}  // namespace

RunnerFeet FeetAtStart(const World& level, const RunnerMotion& runner) {
  RunnerFeet feet;
  feet.OnFloor = OnFloor(level);
  feet.AirTop = feet.LastY = RoundPixel(level.RunnerY);
  feet.Facing = runner.Facing;
  return feet;
}

FeetStep StepFeet(RunnerFeet& feet, const World& level, const RunnerMotion& runner) {
  Drift(feet);
  FeetStep step;
  // A damaged level may put the runner far outside the world, where no dust is seen.
  if (!(std::fabs(level.RunnerX) < OutOfSight && std::fabs(level.RunnerY) < OutOfSight)) return step;
  const int32_t x = RoundPixel(level.RunnerX), y = RoundPixel(level.RunnerY);
  const bool onFloor = OnFloor(level);
  if (feet.OnFloor && !onFloor) {
    // A jump rises at once (under a low ceiling it may already have stopped); a step off
    // a ledge does not.
    step.TookOff = y < feet.LastY;
    feet.AirTop = y;
    for (int i = 0; step.TookOff && i < 8; ++i) Raise(feet, DustKind::TakeOff, x, y, 0, 24, 18, 5);
  }
  if (!onFloor) feet.AirTop = std::min(feet.AirTop, y);
  if (!feet.OnFloor && onFloor) {
    // The harder the fall, the more dust and the further it flies.
    step.FallHeight = std::max(0, y - feet.AirTop);
    const int32_t fall = std::min(step.FallHeight, 400);
    for (int i = 0; i < 8 + fall / 16; ++i)
      Raise(feet, DustKind::Landing, x, y, 0, 32 + fall / 6, 22 + fall / 20, fall >= 150 ? 7 : 6);
  }
  const int32_t dir = runner.VelX > 0.0 ? 1 : -1;
  const double speed = std::fabs(runner.VelX);
  if (onFloor && runner.Facing != feet.Facing && speed >= SkidSpeed) {
    step.Turned = true;
    for (int i = 0; i < 5; ++i) Raise(feet, DustKind::Turning, x + 8 * dir, y, dir, 36, 18, 5);
  }
  ++feet.KickTicks;
  if (onFloor && speed >= KickSpeed && feet.KickTicks >= KickEvery) {
    feet.KickTicks = 0;
    Raise(feet, DustKind::Running, x - 10 * dir, y, -dir, 10, 14, 4);
  }
  feet.OnFloor = onFloor;
  feet.LastY = y;
  feet.Facing = runner.Facing;
  return step;
}

}  // namespace tobu
