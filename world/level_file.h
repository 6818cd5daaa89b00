#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "world/best_times.h"
#include "world/world.h"

namespace tobu {

// Everything a level file holds, besides the runner's start applied to the world.
// Offsets: grid 0 (10201 bytes, row by row), ObjectCount 10201, objects 10205 (9 bytes
// each), StartX and StartY, then the optional best-times table at BestTimesOffset.
struct LoadedLevelInfo {
  BestTimes Times;
  int32_t BestTimesOffset = 0;
  bool HadTable = false;  // the file held a table, so the cached best-time text is stale
};

// Everything parsed from a file before any of it reaches the world.
struct ParsedLevel {
  std::array<uint8_t, GridSize * GridSize> TileGrid{};
  std::vector<LevelObject> Objects;
  int32_t StartX = 0;
  int32_t StartY = 0;
  LoadedLevelInfo Info;
};

// The file layer's pattern, shared by every reader: a parser and a writer that work on
// bytes in memory (fuzzed and tested without files), and a thin pair that reads or
// replaces the whole file and calls them.

// Checks and parses a level file's bytes; FileError "Level file <fileName> is damaged"
// when they are not a level.
ParsedLevel ParseLevel(std::span<const uint8_t> bytes, const std::string& fileName);
// Puts a parsed level into `world` (tiles, objects, runner on the start, camera centred).
LoadedLevelInfo UseLevel(ParsedLevel level, World& world);
// The bytes SaveLevel writes.
std::vector<uint8_t> LevelBytes(const World& world);
// The level file `bytes` with the table written at `offset`; bytes past a shorter new
// table stay as they were. FileError "Cannot open file <fileName>" when the file is
// shorter than `offset` (it is no longer the level that was ranked).
std::vector<uint8_t> WithBestTimes(std::vector<uint8_t> bytes, int32_t offset, const BestTimes& times,
                                   const std::string& fileName);

// Reads a level file into `world` (tiles, objects, runner on the start, camera centred)
// and returns its best times. The whole file is checked first: on any FileError the
// world is left exactly as it was.
LoadedLevelInfo LoadLevel(const std::string& fileName, World& world);

// Writes the grid, the objects and the runner's rounded position as the start; no table.
// The file is replaced atomically through a temporary file in the same directory.
void SaveLevel(const std::string& fileName, const World& world);

// Says whether a level file's bytes before its table are those of the level that was ranked.
using SameLevelCheck = std::function<bool(std::span<const uint8_t> levelPart)>;

// Rewrites the best-times table in place at `offset`, without creating or truncating.
// When `sameLevel` is given and says the file's bytes before `offset` are no longer the
// level's, nothing is written: FileError "The level has changed since this run started;
// the time was not saved".
void WriteBestTimes(const std::string& fileName, int32_t offset, const BestTimes& times,
                    const SameLevelCheck& sameLevel = {});

}  // namespace tobu
