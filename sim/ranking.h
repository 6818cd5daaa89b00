#pragma once
#include <string>

#include "sim/clock.h"
#include "world/best_times.h"

namespace tobu {

// How the last run ended and what the results menu shows of it.
struct RunOutcome {
  bool RunFailed = false;
  bool RunFinished = false;  // set by the exit, consumed by the ranking
  bool NewBestTime = false;
  bool InTopTen = false;
  std::string ResultText;
  std::string BestTimeText;  // place 1 as "00:00:00"; empty means rebuild it
};

// Ranks a finished run into `times` for `playerName`, sets the outcome's texts and
// flags and clears RunFinished. The caller writes the table to the level file.
void RankFinishedRun(RunOutcome& outcome, const RunClock& clock, const std::string& playerName,
                     BestTimes& times);

}  // namespace tobu
