#pragma once

namespace tobu {

// Paces ticks from animation frames: each frame runs the 10 ms ticks that passed since
// the last one, at most MaxTicks, so a page coming back from the background does not
// race through the time it missed.
class TickPacer {
 public:
  static constexpr double Interval = 10.0;
  static constexpr int MaxTicks = 4;

  // Starting (and coming back from a pause) counts time from `now`.
  void Start(double now);
  void Stop() { running_ = false; }
  bool Running() const { return running_; }
  // The ticks due at `now` (milliseconds), 0 while stopped.
  int TicksDue(double now);

 private:
  double lastTick_ = 0.0;
  bool running_ = false;
};

}  // namespace tobu
