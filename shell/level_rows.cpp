#include "shell/level_rows.h"

#include "replay/level_crc.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {

LevelRow PlayerRow(const BestTimes& times, const std::string& player) {
  for (int place = 1; place <= BestPlaces; ++place) {
    if (!player.empty() && times.BestNames[place] == player)
      return {true, times.BestTime[place], std::nullopt};
  }
  return {};
}

std::vector<LevelRow> ReadLevelRows(const LevelList& levels, const std::string& player) {
  std::vector<LevelRow> rows;
  rows.reserve(levels.Items.size());
  for (const std::string& file : levels.Items) {
    try {
      const std::vector<uint8_t> bytes = ReadWholeFile(file);
      LevelRow row = PlayerRow(ParseLevel(bytes, file).Info.Times, player);
      row.LevelCrc = LevelCrc(file, bytes);
      rows.push_back(row);
    } catch (const FileError&) {
      rows.push_back({});
    }
  }
  return rows;
}

}  // namespace tobu
