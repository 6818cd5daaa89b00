#pragma once
#include <cstddef>
#include <cstdint>

#include "replay/replay_file.h"
#include "sim/clock.h"
#include "sim/exit_contacts.h"
#include "sim/keys.h"
#include "sim/runner.h"
#include "world/world.h"

namespace tobu {

// A second run of the level on a record's keys, stepped beside the live run by the same
// run step, in its own world, touching nothing of the live game.
struct GhostRun {
  bool Running = false;  // its run goes on (not yet at the exit, a killer or the edge)
  Replay Record;
  size_t NextEvent = 0;
  uint32_t Ticks = 0;
  World Level;
  RunnerMotion Runner;
  RunClock Clock;
  ExitContacts LockedExits;
  KeyTable KeyHeld{};

  // Starts on a copy of the level as the live run started.
  void Start(const World& start, Replay record);
  // One tick, as the game runs one: the record's keys, the run step, the animation.
  void Step();
};

}  // namespace tobu
