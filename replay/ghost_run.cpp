#include "replay/ghost_run.h"

#include <utility>

#include "replay/recording.h"
#include "sim/run.h"

namespace tobu {

void GhostRun::Start(const World& start, Replay record) {
  Record = std::move(record);
  Level = start;
  Kippo = Runner{};
  ResetRunnerForRun(Kippo);
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
  MotionStep(Level, Kippo, KeyHeld);
  Level.ClampCamera();
  AdvanceRunAnimation(Kippo);
  // As in the game: objects in order until one ends the run, one food eaten per tick.
  int eaten = -1;
  for (int i = 0; i < Level.ObjectCount && Running; ++i) {
    const Contact contact = TouchObject(Level, i);
    if (contact == Contact::Food) eaten = i;
    if (contact == Contact::Killer || contact == Contact::Exit) Running = false;
  }
  if (eaten != -1) Level.RemoveObject(eaten);
  if (OutsideWorldBounds(Level)) Running = false;
}

}  // namespace tobu
