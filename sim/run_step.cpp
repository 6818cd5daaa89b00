#include "sim/run_step.h"

#include "sim/object_contact.h"
#include "sim/world_bounds.h"

namespace tobu {
namespace {

// Objects in list order until one ends the run; at most one food goes per tick, the last
// one touched, and only after the pass, so an exit touched in the same tick still sees it.
void TouchObjects(const RunState& run, RunStepResult& result, EventQueue& events) {
  World& level = run.Level;
  int32_t eaten = -1;
  for (int i = 0; i < level.ObjectCount && result.End == RunEnd::None; ++i) {
    switch (TouchObject(level, i)) {
      case Contact::Food:
        eaten = i;
        break;
      case Contact::Killer:
        events.Push(GameEvent::Fail);
        result.End = RunEnd::Failed;
        result.EndedBy = level.ObjectList[i];
        break;
      case Contact::Exit:
        events.Push(GameEvent::Finish);
        result.End = RunEnd::Finished;
        result.EndedBy = level.ObjectList[i];
        break;
      case Contact::None:
        break;
    }
  }
  if (result.End == RunEnd::None && run.LockedExits.NoteLockedTouch(level)) {
    events.Push(GameEvent::Locked);
    result.LockedExitTouched = true;
  }
  if (eaten == -1) return;
  result.EatenIndex = eaten;
  result.Eaten = level.ObjectList[eaten];
  level.RemoveObject(eaten);
  events.Push(GameEvent::Eat);
  if (!AnyFoodLeft(level)) events.Push(GameEvent::Open);
}

}  // namespace

RunStepResult StepRun(const RunState& run, const KeyTable& keyHeld, EventQueue& events, bool surfaceReady) {
  RunStepResult result;
  result.Ran = true;
  result.Jumped = MotionStep(run.Level, run.Runner, keyHeld, events);
  run.Level.ClampCamera();
  result.RunnerX = run.Level.RunnerX;
  result.RunnerY = run.Level.RunnerY;
  if (!surfaceReady) return result;
  TouchObjects(run, result, events);
  if (result.End != RunEnd::None) return result;
  run.Clock.Step();
  if (OutsideWorldBounds(run.Level)) {
    events.Push(GameEvent::Fail);
    result.End = RunEnd::Failed;
    result.LeftWorld = true;
    run.Level.RunnerX = RunnerHomeX;
    run.Level.RunnerY = RunnerHomeY;
  }
  return result;
}

}  // namespace tobu
