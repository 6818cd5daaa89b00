#include "sim/clock.h"

#include <string>

#include "world/numeric.h"

namespace tobu {

void RunClock::Step() {
  // 1.177 hundredths per tick, summed in extended precision: 5098 ticks to a minute.
  Clock = AddExtended(Clock, 1.177L);
  if (Clock > 6000.0) {
    Clock = 0.0;  // the excess is dropped
    ++ClockMinutes;
  }
  const int32_t c = RoundPixel(Clock);
  ClockSeconds = static_cast<uint8_t>(c / 100);
  ClockHundredths = static_cast<uint8_t>(c % 100);
}

std::string StoredTimeText(int32_t time) {
  // Digits are written from the right, skipping the colons; a seventh digit is lost.
  // The value reads as unsigned, so a negative time from an edited file still shows digits.
  std::string text = "00:00:00";
  const std::string digits = std::to_string(static_cast<uint32_t>(time));
  auto digit = digits.rbegin();
  for (auto place = text.rbegin(); place != text.rend() && digit != digits.rend(); ++place) {
    if (*place == ':') continue;
    *place = *digit++;
  }
  return text;
}

namespace {
std::string TwoDigits(int value) {
  const std::string text = std::to_string(value);
  return text.size() == 1 ? "0" + text : text;
}
}  // namespace

std::string ClockTimeText(const RunClock& clock) {
  return TwoDigits(clock.ClockMinutes) + ":" + TwoDigits(clock.ClockSeconds) + ":" +
         TwoDigits(clock.ClockHundredths);
}

int64_t StoredHundredths(int32_t time) {
  const uint32_t digits = static_cast<uint32_t>(time);
  return int64_t{digits / 10000} * 6000 + digits / 100 % 100 * 100 + digits % 100;
}

int64_t ClockHundredths(const RunClock& clock) {
  return int64_t{clock.ClockMinutes} * 6000 + clock.ClockSeconds * 100 + clock.ClockHundredths;
}

std::string StopwatchText(int64_t hundredths) {
  const int64_t size = hundredths < 0 ? -hundredths : hundredths;
  const int64_t minutes = size / 6000, seconds = size / 100 % 60;
  const std::string tail = TwoDigits(static_cast<int>(size % 100));
  if (minutes == 0) return std::to_string(seconds) + "." + tail;
  return std::to_string(minutes) + ":" + TwoDigits(static_cast<int>(seconds)) + "." + tail;
}

}  // namespace tobu
