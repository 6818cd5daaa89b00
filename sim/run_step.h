// sim/: the run's rules: the runner's motion and tile collision, object contacts, the
// clock, the world bounds, the ranking, and StepRun, the whole of one tick. Includes
// world/ and events/ only; nothing here draws or reads a device.
#pragma once
#include <cstdint>

#include "events/game_events.h"
#include "sim/clock.h"
#include "sim/exit_contacts.h"
#include "sim/keys.h"
#include "sim/runner.h"
#include "world/world.h"

namespace tobu {

// How a tick of a run ended.
enum class RunEnd : uint8_t { None, Failed, Finished };

// The state one run changes tick by tick, wherever its owner keeps it: the live game,
// the ghost, a replay being verified.
struct RunState {
  World& Level;
  RunnerMotion& Runner;
  RunClock& Clock;
  ExitContacts& LockedExits;
};

// What one tick of a run did besides changing its state: for the caller, which ends
// the run, and for the frame that shows the tick.
struct RunStepResult {
  bool Ran = false;  // a run was stepped in this tick
  RunEnd End = RunEnd::None;
  // Ended by the bounds test, after the objects and the clock; the frame still shows the
  // run, and the runner where it stood (it is home by now).
  bool LeftWorld = false;
  // The food eaten in this tick, already removed: its place in the list as the object
  // pass saw it and the object itself, so the frame still shows it. -1 when none.
  int32_t EatenIndex = -1;
  LevelObject Eaten;
  // The killer or exit that ended the run in the object pass (see EndedByObject).
  LevelObject EndedBy;
  // An exit was touched while food is left (the `locked` event of this tick).
  bool LockedExitTouched = false;
  bool Jumped = false;  // the runner jumped from the floor
  // The runner's position after its motion, where the frame draws it.
  double RunnerX = 0.0;
  double RunnerY = 0.0;

  // A killer or an exit ended the run in the object pass: no runner, clock or bounds
  // test in this tick.
  bool EndedByObject() const { return End != RunEnd::None && !LeftWorld; }
};

// One tick of a run: the runner's motion and the camera; then the objects in list order
// (a killer, or an exit with no food left, ends the pass; the last food touched is
// eaten), an exit touched while food is left, the clock and the world bounds. A tick
// that draws no frame (`surfaceReady` false: the game's drawing surface is lost) runs
// only the motion, as the game always has. The run's events go to `events`.
RunStepResult StepRun(const RunState& run, const KeyTable& keyHeld, EventQueue& events, bool surfaceReady);

}  // namespace tobu
