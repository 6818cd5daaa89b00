#pragma once
#include <cstdint>
#include <string>

namespace tobu {

// The run clock: Clock counts hundredths within the current minute.
struct RunClock {
  double Clock = 0.0;
  uint8_t ClockMinutes = 0;  // wraps from 255 to 0
  uint8_t ClockSeconds = 0;
  uint8_t ClockHundredths = 0;

  void Reset() { *this = RunClock{}; }
  // One tick: 1.177 hundredths, a new minute once past 6000.
  void Step();
};

// "00:00:00" from a stored time, digits written from the right (10523 -> 01:05:23).
std::string StoredTimeText(int32_t time);
// The clock's time as text, e.g. 01:05:23 (three-digit minutes are written whole).
std::string ClockTimeText(const RunClock& clock);

}  // namespace tobu
