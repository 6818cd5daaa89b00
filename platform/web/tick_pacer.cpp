#include "platform/web/tick_pacer.h"

#include <cmath>

namespace tobu {

void TickPacer::Start(double now) {
  lastTick_ = now;
  running_ = true;
}

int TickPacer::TicksDue(double now) {
  if (!running_) return 0;
  const double passed = std::floor((now - lastTick_) / Interval);
  if (passed < 1.0) return 0;
  if (passed > MaxTicks) {
    lastTick_ = now;  // the time beyond a few ticks is dropped, not caught up later
    return MaxTicks;
  }
  lastTick_ += passed * Interval;
  return static_cast<int>(passed);
}

}  // namespace tobu
