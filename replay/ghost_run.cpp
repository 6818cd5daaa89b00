#include "replay/ghost_run.h"

#include <utility>

#include "replay/recording.h"
#include "sim/run_step.h"

namespace tobu {

void GhostRun::Start(const World& start, Replay record) {
  Record = std::move(record);
  Level = start;
  Runner = RunnerMotion{};
  ResetRunnerForRun(Runner);
  Clock.Reset();
  LockedExits = {};
  KeyHeld.fill(false);
  NextEvent = 0;
  Ticks = 0;
  Running = true;
}

void GhostRun::Step() {
  if (!Running) return;
  DeliverReplayEvents(Record, NextEvent, Ticks, [this](const ReplayEvent& event) {
    if (event.Down && event.Key == VkEscape) Running = false;  // the record gave up here
    KeyHeld[event.Key] = event.Down;
  });
  if (!Running || Ticks >= Record.TickCount) {
    Running = false;
    return;
  }
  ++Ticks;
  EventQueue unheard;  // the ghost makes no sound
  const RunStepResult result = StepRun({Level, Runner, Clock, LockedExits}, KeyHeld, unheard, true);
  AdvanceRunAnimation(Runner);
  Running = result.End == RunEnd::None;
}

}  // namespace tobu
