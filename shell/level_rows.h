#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/level_list.h"
#include "world/best_times.h"

namespace tobu {

// What the plus level list shows beside a level: whether the player has finished it
// and their best time there (0 when not finished); its level CRC finds its world record.
struct LevelRow {
  bool Finished = false;
  int32_t PlayerBest = 0;
  std::optional<uint32_t> LevelCrc;  // none when the file cannot be read
};

// A level's best time on the server, as the level list shows it.
struct WorldRecord {
  std::string Player;
  int32_t Time = 0;
};

// How many levels the player has finished, of how many.
struct LevelProgress {
  int Finished = 0;
  int Total = 0;
};

// The player's place in a table: their best time, the first of their rows.
LevelRow PlayerRow(const BestTimes& times, const std::string& player);

// One row per level of the list, read from the levels' tables; a level that cannot be
// read shows as not finished.
std::vector<LevelRow> ReadLevelRows(const LevelList& levels, const std::string& player);

}  // namespace tobu
