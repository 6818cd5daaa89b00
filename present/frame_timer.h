#pragma once
#include <cstdint>

namespace tobu {

// Gives a tick every 10 ms of an injected millisecond clock. Differences are taken as
// unsigned 32-bit numbers, so the clock's wrap-around is harmless.
class FrameTimer {
public:
  static constexpr uint32_t Interval = 10;

  // Starting (and re-activating) sets the last tick to now: the first tick comes 10 ms later.
  void Start(uint32_t now);
  void Stop() { running_ = false; }
  bool Running() const { return running_; }
  // The LagCount of a tick due at `now` (whole intervals since the last tick, at least 1),
  // or 0 when no tick is due or the timer is stopped.
  int32_t Poll(uint32_t now);
  // How long the caller may sleep before the next tick is due.
  uint32_t MillisecondsUntilNextTick(uint32_t now) const;

private:
  uint32_t lastTick_ = 0;
  bool running_ = false;
};

} // namespace tobu
