#include "sounds/mix_rules.h"

namespace tobu::mix {

// The fanfares duck the music in both profiles; plus ducks it under a run's eating,
// opening, locked daisy and death too, quickly, so that they stand out over it as well.
double DuckSpeed(GameEvent event, bool plus) {
  switch (event) {
    case GameEvent::Best:
    case GameEvent::TopTen:
      return DuckStep;
    case GameEvent::Eat:
    case GameEvent::Open:
    case GameEvent::Locked:
    case GameEvent::Fail:
      return plus ? QuickDuck : 0.0;
    default:
      return 0.0;
  }
}

double EffectLift(GameEvent event, bool plus) { return plus && event == GameEvent::Jump ? JumpLift : 1.0; }

}  // namespace tobu::mix
