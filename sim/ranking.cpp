#include "sim/ranking.h"

#include <string>

namespace tobu {
namespace {

// The time value from the digits of its text: "01:05:23" is 10523.
int32_t TimeFromText(const std::string& text) {
  int32_t value = 0;
  for (const char c : text) {
    if (c != ':') value = value * 10 + (c - '0');
  }
  return value;
}

// The first place whose time is slower than `time`; an equal time never displaces
// an entry, so the new one goes after all equal ones. 0 when none is slower.
int SlowerPlace(const BestTimes& times, int32_t time) {
  for (int place = 1; place <= BestPlaces; ++place) {
    if (!times.BestNames[place].empty() && times.BestTime[place] > time) return place;
  }
  return 0;
}

void Place(BestTimes& times, int place, const std::string& name, int32_t time) {
  times.BestNames[place] = name;
  times.BestTime[place] = time;
}

}  // namespace

void RankFinishedRun(RunOutcome& outcome, const RunClock& clock, const std::string& playerName,
                     BestTimes& times) {
  outcome.RunFinished = false;
  const std::string text = ClockTimeText(clock);
  const int32_t time = TimeFromText(text);
  if (times.BestNames[1].empty()) {
    Place(times, 1, playerName, time);
    outcome.NewBestTime = true;
  } else {
    outcome.InTopTen = false;
    const int rank = SlowerPlace(times, time);
    if (rank == 0) {
      // Slower than every entry: appended in the first free place, if there is one.
      for (int place = 2; place <= BestPlaces; ++place) {
        if (times.BestNames[place].empty()) {
          Place(times, place, playerName, time);
          break;
        }
      }
    } else {
      outcome.InTopTen = true;
      if (rank == 1) outcome.NewBestTime = true;
      for (int place = BestPlaces; place > rank; --place) {
        Place(times, place, times.BestNames[place - 1], times.BestTime[place - 1]);
      }
      Place(times, rank, playerName, time);
    }
  }
  outcome.ResultText = text;
  if (outcome.NewBestTime) outcome.BestTimeText.clear();
}

}  // namespace tobu
