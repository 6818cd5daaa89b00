#include "fuzz/fuzz_bodies.h"

#include <cmath>
#include <vector>

#include "shell/roster.h"
#include "world/file_error.h"
#include "world/level_file.h"

namespace tobu::fuzz {
namespace {

bool SameLevel(const World& a, const World& b) {
  return a.TileGrid == b.TileGrid && a.ObjectList == b.ObjectList && a.ObjectCount == b.ObjectCount &&
         a.RunnerX == b.RunnerX && a.RunnerY == b.RunnerY && a.CameraX == b.CameraX && a.CameraY == b.CameraY;
}

// A world that differs from anything a file can produce, to see whether a refused file
// changed it.
World MarkedWorld() {
  World world;
  world.TileGrid.fill(7);
  world.AppendObject() = LevelObject{9, -1, -2};
  world.RunnerX = 0.25;
  world.RunnerY = -0.5;
  world.CameraX = -77;
  world.CameraY = 99999;
  return world;
}

// The table's used places in order: what the writer stores and the reader gives back.
BestTimes Compacted(const BestTimes& times) {
  BestTimes packed;
  int next = 1;
  for (int place = 1; place <= BestPlaces; ++place) {
    if (times.BestNames[place].empty()) continue;
    packed.BestNames[next] = times.BestNames[place];
    packed.BestTime[next] = times.BestTime[place];
    ++next;
  }
  return packed;
}

std::string CheckAcceptedLevel(std::span<const uint8_t> data, const World& world,
                               const LoadedLevelInfo& info) {
  if (world.ObjectCount != static_cast<int32_t>(world.ObjectList.size()))
    return "ObjectCount differs from the list";
  if (world.CameraX < 0 || world.CameraX > CameraMaxX || world.CameraY < 0 || world.CameraY > CameraMaxY) {
    return "the camera left the world";
  }
  const int64_t tableOffset = int64_t{GridSize} * GridSize + 4 + 9 * int64_t{world.ObjectCount} + 8;
  if (info.BestTimesOffset != tableOffset) return "the table's offset does not follow the start";
  if (info.HadTable != (static_cast<int64_t>(data.size()) > tableOffset)) return "HadTable is wrong";
  // Positions near the ends of the 32-bit range would overflow the game's pixel sums.
  const auto far = [](int64_t v) { return v < -(int64_t{1} << 30) || v > (int64_t{1} << 30); };
  if (far(std::llround(world.RunnerX)) || far(std::llround(world.RunnerY)))
    return "a start far outside was accepted";
  for (const LevelObject& object : world.ObjectList) {
    if (far(object.X) || far(object.Y)) return "an object far outside was accepted";
  }
  for (int place = 1; place <= BestPlaces; ++place) {
    if (info.Times.BestNames[place].size() > 8) return "a best-times name is longer than 8";
  }
  if (!info.Times.BestNames[0].empty() || info.Times.BestTime[0] != 0)
    return "place 0 of the table was filled";
  return {};
}

// Saving writes the level part of the file back byte for byte, and the table written
// in place after it reads back as the used places of the loaded table.
std::string CheckLevelRoundTrip(std::span<const uint8_t> data, const World& world,
                                const LoadedLevelInfo& info) {
  const std::vector<uint8_t> saved = LevelBytes(world);
  const std::span<const uint8_t> levelPart = data.first(static_cast<size_t>(info.BestTimesOffset));
  if (!std::equal(saved.begin(), saved.end(), levelPart.begin(), levelPart.end())) {
    return "SaveLevel did not write back the bytes it loaded";
  }
  const std::vector<uint8_t> ranked = WithBestTimes(saved, info.BestTimesOffset, info.Times, "copy.vel");
  World again = MarkedWorld();
  const LoadedLevelInfo reloaded = UseLevel(ParseLevel(ranked, "copy.vel"), again);
  if (!SameLevel(world, again)) return "the saved level loads differently";
  if (reloaded.Times != Compacted(info.Times)) return "the written best times read back differently";
  return {};
}

}  // namespace

std::string CheckLevelBytes(std::span<const uint8_t> data) {
  World world = MarkedWorld();
  LoadedLevelInfo info;
  try {
    info = UseLevel(ParseLevel(data, "input.vel"), world);
  } catch (const FileError& error) {
    if (error.what() != std::string("Level file input.vel is damaged"))
      return "a refusal with another message";
    return SameLevel(world, MarkedWorld()) ? std::string() : "a refused file changed the world";
  }
  std::string broken = CheckAcceptedLevel(data, world, info);
  if (!broken.empty()) return broken;
  try {
    return CheckLevelRoundTrip(data, world, info);
  } catch (const FileError& error) {
    return std::string("the round trip failed: ") + error.what();
  }
}

std::string CheckRosterBytes(std::span<const uint8_t> data) {
  const StoredRoster stored = ParseRoster(data);
  const PlayerRoster& roster = stored.Roster;
  if (roster.PlayerCount > MaxPlayers) return "more than 14 players";
  for (int i = 1; i <= MaxPlayers; ++i) {
    if (roster.PlayerNames[i].size() > MaxPlayerNameLength) return "a name longer than 8";
    if (i > roster.PlayerCount && !roster.PlayerNames[i].empty()) return "a name past the count";
  }
  if (!roster.PlayerNames[0].empty()) return "entry 0 of the roster was filled";
  if (stored.LastIndex < 0 || stored.LastIndex > roster.PlayerCount)
    return "the last index is outside the roster";
  const StoredRoster again = ParseRoster(RosterBytes(roster, stored.LastIndex));
  if (again.Roster.PlayerCount != roster.PlayerCount || again.Roster.PlayerNames != roster.PlayerNames ||
      again.LastIndex != stored.LastIndex) {
    return "the written roster reads back differently";
  }
  return {};
}

}  // namespace tobu::fuzz
