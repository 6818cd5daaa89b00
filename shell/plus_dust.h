#pragma once
#include <cstdint>
#include <vector>

#include "present/plus_dust.h"
#include "sim/runner.h"
#include "world/world.h"

namespace tobu {

// What plus follows of the runner's feet to raise dust: on the floor or in the air, and
// the highest point of the time in the air.
struct RunnerFeet {
  bool OnFloor = true;
  int32_t AirTop = 0;  // the feet's highest row since they left the floor
  int32_t LastY = 0;   // the feet's row a tick ago
  uint8_t Facing = FacingLeft;
  int32_t KickTicks = 0;  // ticks since running last kicked up dust
  uint32_t Seed = 1;      // the motes' scatter, the same in every run
  std::vector<DustMote> Motes;
};

// What the feet did in one tick; `FallHeight` is the rows fallen from the highest point
// when they landed, -1 when they did not.
struct FeetStep {
  bool TookOff = false;
  int32_t FallHeight = -1;
  bool Turned = false;
};

// A landing from this height (or more) thuds: a jump on flat ground falls 88 rows.
constexpr int32_t ThudFall = 40;

// The feet where a run begins, before its first tick.
RunnerFeet FeetAtStart(const World& level, const RunnerMotion& runner);
// One tick: the motes drift and age; take-off, landing, running at speed and turning at
// speed each raise their own.
FeetStep StepFeet(RunnerFeet& feet, const World& level, const RunnerMotion& runner);

}  // namespace tobu
