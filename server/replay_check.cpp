#include "server/replay_check.h"

#include "events/game_events.h"
#include "replay/recording.h"
#include "sim/clock.h"
#include "sim/exit_contacts.h"
#include "sim/keys.h"
#include "sim/run_step.h"
#include "sim/runner.h"

namespace tobu::server {

// The run's own step, as the game takes it in a drawn tick: a record proven here is the
// record the game would have set.
RunProof ProveRun(const World& level, const Replay& replay) {
  World world = level;
  RunnerMotion runner;
  ResetRunnerForRun(runner);
  RunClock clock;
  ExitContacts lockedExits;
  EventQueue events;
  const RunState run{world, runner, clock, lockedExits};
  KeyTable keys{};
  size_t next = 0;
  for (uint32_t tick = 0; tick < replay.TickCount; ++tick) {
    bool gaveUp = false;
    DeliverReplayEvents(replay, next, tick, [&](const ReplayEvent& event) {
      if (event.Down && event.Key == VkEscape) gaveUp = true;
      keys[event.Key] = event.Down;
    });
    if (gaveUp) return {false, "the run gives up at tick " + std::to_string(tick)};
    const RunEnd end = StepRun(run, keys, events, true).End;
    events.Drain();  // nobody hears a proof
    if (end == RunEnd::Failed) return {false, "the run fails at tick " + std::to_string(tick + 1)};
    if (end == RunEnd::None) continue;
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
