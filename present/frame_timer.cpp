#include "present/frame_timer.h"

namespace tobu {

void FrameTimer::Start(uint32_t now) {
  lastTick_ = now;
  running_ = true;
}

int32_t FrameTimer::Poll(uint32_t now) {
  if (!running_) return 0;
  const uint32_t elapsed = now - lastTick_;  // unsigned: the clock's wrap-around cancels out
  if (elapsed < Interval) return 0;
  lastTick_ = now;
  return static_cast<int32_t>(elapsed / Interval);  // at least 1 here, at most 429496729
}

uint32_t FrameTimer::MillisecondsUntilNextTick(uint32_t now) const {
  const uint32_t elapsed = now - lastTick_;
  return elapsed >= Interval ? 0 : Interval - elapsed;
}

}  // namespace tobu
