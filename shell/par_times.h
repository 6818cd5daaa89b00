#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "present/medal.h"

namespace tobu {

// Plus's target on a shipped level: the developer's time, that of the finished run of
// the level committed with the tests (tests/replays). A level is known by its CRC, so an
// edited copy, or a level of the player's own, has no par.
struct ParTime {
  const char* LevelFile;
  uint32_t LevelCrc;
  int32_t Time;  // as the best-times table stores it
};

// The shipped levels in the list's order; the last is the game's last level.
std::span<const ParTime> ParTimes();
const ParTime* FindParTime(uint32_t levelCrc);
// The medal a time (in hundredths) earns: gold within 15% over the par, silver within
// 40% and bronze within 80%, each rounded up to a whole tenth of a second so that a
// person can aim at it. The par itself, the record run, is the goal beyond gold.
Medal MedalFor(int64_t hundredths, const ParTime& par);
// The slowest time, in hundredths, that earns `medal` (Bronze, Silver or Gold).
int64_t MedalTarget(Medal medal, const ParTime& par);
// The target as it reads, in tenths: "7.3".
std::string MedalTargetText(Medal medal, const ParTime& par);
// "Bronze 11.4    Silver 8.9    Gold 7.3": the level's three targets.
std::string MedalTargetsText(const ParTime& par);
// How far a time missed bronze by, "1.25 too slow for Bronze"; empty for a time within it.
std::string ShortOfBronzeText(int64_t hundredths, const ParTime& par);

}  // namespace tobu
