#pragma once
#include <cstdint>
#include <string>

#include "world/best_times.h"
#include "world/world.h"

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

// How the last run ended and what the results menu shows of it.
struct RunOutcome {
  bool RunFailed = false;
  bool RunFinished = false;  // set by the exit, consumed by the ranking
  bool NewBestTime = false;
  bool InTopTen = false;
  std::string ResultText;
  std::string BestTimeText;  // place 1 as "00:00:00"; empty means rebuild it
};

// Does the runner touch object `index` (a disc of radius 19 around its centre)?
bool BodyTouchesObjectDisc(const World& world, int index);

// The quick box test, then the contact test.
bool TouchesObject(const World& world, int index);
// Some food is still in the level.
bool AnyFoodLeft(const World& world);

enum class Contact { None, Food, Killer, Exit };
// The effect of object `index` on the runner this tick: the quick box test, the
// contact test, and for an exit whether no food is left.
Contact TouchObject(const World& world, int index);

// The run fails once the body leaves x 0..4000 or y 0..3100.
bool OutsideWorldBounds(const World& world);

// "00:00:00" from a stored time, digits written from the right (10523 -> 01:05:23).
std::string StoredTimeText(int32_t time);
// The clock's time as text, e.g. 01:05:23 (three-digit minutes are written whole).
std::string ClockTimeText(const RunClock& clock);

// Ranks a finished run into `times` for `playerName`, sets the outcome's texts and
// flags and clears RunFinished. The caller writes the table to the level file.
void RankFinishedRun(RunOutcome& outcome, const RunClock& clock, const std::string& playerName,
                     BestTimes& times);

} // namespace tobu
