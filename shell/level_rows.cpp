#include "shell/level_rows.h"

#include "world/file_error.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {

LevelRow PlayerRow(const BestTimes& times, const std::string& player) {
  for (int place = 1; place <= BestPlaces; ++place) {
    if (!player.empty() && times.BestNames[place] == player) return {true, times.BestTime[place]};
  }
  return {};
}

std::vector<LevelRow> ReadLevelRows(const LevelList& levels, const std::string& player) {
  std::vector<LevelRow> rows;
  rows.reserve(levels.Items.size());
  for (const std::string& file : levels.Items) {
    try {
      rows.push_back(PlayerRow(ParseLevel(ReadWholeFile(file), file).Info.Times, player));
    } catch (const FileError&) {
      rows.push_back({});
    }
  }
  return rows;
}

}  // namespace tobu
