#pragma once
#include <cstdint>
#include <optional>
#include <span>

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
// A star: a best time that equals or beats the par.
bool EarnsStar(int32_t bestTime, const ParTime& par);

}  // namespace tobu
