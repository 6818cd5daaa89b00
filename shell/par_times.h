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
// The medal a time (in hundredths) earns: gold at the par or better, silver within a
// quarter more and bronze within three fifths more, those two rounded up to a tenth of a
// second so that they read simply.
Medal MedalFor(int64_t hundredths, const ParTime& par);
// The slowest time, in hundredths, that earns `medal` (Bronze, Silver or Gold).
int64_t MedalTarget(Medal medal, const ParTime& par);
// The target as it reads: "6.33" for gold, "8.0" (tenths) for the others.
std::string MedalTargetText(Medal medal, const ParTime& par);
// "Bronze 10.2    Silver 8.0    Gold 6.33": the level's three targets.
std::string MedalTargetsText(const ParTime& par);

}  // namespace tobu
