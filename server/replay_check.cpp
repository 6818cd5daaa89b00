#include "server/replay_check.h"

#include "replay/recording.h"
#include "sim/keys.h"
#include "sim/run.h"
#include "sim/runner.h"

namespace tobu::server {
namespace {

enum class RunEnd { GoesOn, Finished, Failed };

// One tick of a run in the game's order: motion, animation, objects in list order until
// one ends the run (one food eaten a tick), the clock (not on the finishing tick), bounds.
RunEnd StepRun(World& world, Runner& runner, const KeyTable& keys, RunClock& clock) {
  MotionStep(world, runner, keys);
  world.ClampCamera();
  AdvanceRunAnimation(runner);
  int eaten = -1;
  for (int i = 0; i < world.ObjectCount; ++i) {
    const Contact contact = TouchObject(world, i);
    if (contact == Contact::Food) eaten = i;
    if (contact == Contact::Killer) return RunEnd::Failed;
    if (contact == Contact::Exit) return RunEnd::Finished;
  }
  if (eaten != -1) world.RemoveObject(eaten);
  clock.Step();
  return OutsideWorldBounds(world) ? RunEnd::Failed : RunEnd::GoesOn;
}

}  // namespace

RunProof ProveRun(const World& level, const Replay& replay) {
  World world = level;
  Runner runner;
  ResetRunnerForRun(runner);
  KeyTable keys{};
  RunClock clock;
  size_t next = 0;
  for (uint32_t tick = 0; tick < replay.TickCount; ++tick) {
    bool gaveUp = false;
    DeliverReplayEvents(replay, next, tick, [&](const ReplayEvent& event) {
      if (event.Down && event.Key == VkEscape) gaveUp = true;
      keys[event.Key] = event.Down;
    });
    if (gaveUp) return {false, "the run gives up at tick " + std::to_string(tick)};
    const RunEnd end = StepRun(world, runner, keys, clock);
    if (end == RunEnd::Failed) return {false, "the run fails at tick " + std::to_string(tick + 1)};
    if (end == RunEnd::GoesOn) continue;
    if (tick + 1 != replay.TickCount) return {false, "the run finishes at tick " + std::to_string(tick + 1)};
    if (StoredClockTime(clock) != replay.FinishTime) {
      return {false, "the run finishes in " + StoredTimeText(StoredClockTime(clock)) + ", not " +
                         StoredTimeText(replay.FinishTime)};
    }
    return {true, {}};
  }
  return {false, "the run does not reach the exit"};
}

}  // namespace tobu::server
