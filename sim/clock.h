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

// Hundredths of a second in a stored time (01:05:23 is 6523), its value read unsigned
// as StoredTimeText reads it.
int64_t StoredHundredths(int32_t time);
int64_t ClockHundredths(const RunClock& clock);
// A time as a stopwatch shows it, minutes only once there are any: "42.01", "1:05.23".
// Hundredths below zero read as their size.
std::string StopwatchText(int64_t hundredths);

}  // namespace tobu
