#pragma once
#include <cstdint>
#include <string>

#include "shell/animation.h"
#include "sim/clock.h"
#include "sim/keys.h"
#include "sim/ranking.h"
#include "sim/runner.h"
#include "world/best_times.h"
#include "world/world.h"

namespace tobu {

// The editor's F5: a run on the level in memory that writes nothing and comes back to
// the editor as it was. The fields below "Editor" are the game as F5 found it.
struct PlayTestState {
  static constexpr int32_t ResultTicks = 200;  // two seconds of the result line

  bool Active = false;
  int32_t ResultTicksLeft = 0;
  std::string ResultLine;  // "You Failed to Finish!" or the time of the finish
  KeyTable HeldAtStart{};  // keys down at F5 and not released since: still the editor's
  // Keys pressed in a play-test and still down after it (the one that ended the result
  // line among them): the editor never takes them as held, nor their repeats or release.
  KeyTable LeftOver{};

  struct Editor {
    World Level;
    RunnerMotion Runner;
    RunClock Clock;
    RunOutcome Outcome;
    BestTimes Best;
    int32_t BestTimesOffset = 0;
    Animation Anim;
    int32_t MenuCursor = 0;
  } Saved;
};

}  // namespace tobu
