#pragma once
#include <cstdint>
#include <string>

#include "replay/replay_file.h"
#include "sim/clock.h"
#include "sim/keys.h"

namespace tobu {

// The key events of the run in progress, each stamped with the number of the run's
// ticks done when it arrived.
struct RunRecording {
  bool Active = false;  // events are being kept; false once the run outgrows a file
  Replay Take;

  // A new run on `levelFile`: the keys already held count as pressed before tick 0.
  void Start(const std::string& levelFile, uint32_t levelCrc, const KeyTable& keyHeld);
  void Key(uint16_t key, bool down, uint32_t tick);
  // The recording of a run that ended after `ticks` ticks, as a file holds it.
  Replay Finish(const std::string& playerName, const RunClock& clock, uint32_t ticks) const;
};

// The clock's time as the best-times table stores it: minutes * 10000 + seconds * 100 + hundredths.
int32_t StoredClockTime(const RunClock& clock);

// Hands `apply` every event of `replay` due before tick `tick`, from `next` on.
template <typename Apply>
void DeliverReplayEvents(const Replay& replay, size_t& next, uint32_t tick, Apply&& apply) {
  while (next < replay.Events.size() && replay.Events[next].Tick <= tick) apply(replay.Events[next++]);
}

}  // namespace tobu
