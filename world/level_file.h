#pragma once
#include <cstdint>
#include <string>

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

// Reads a level file into `world` (tiles, objects, runner on the start, camera centred)
// and returns its best times. The whole file is checked first: on any FileError the
// world is left exactly as it was.
LoadedLevelInfo LoadLevel(const std::string& fileName, World& world);

// Writes the grid, the objects and the runner's rounded position as the start; no table.
// The file is replaced atomically through a temporary file in the same directory.
void SaveLevel(const std::string& fileName, const World& world);

// Rewrites the best-times table in place at `offset`, without creating or truncating.
void WriteBestTimes(const std::string& fileName, int32_t offset, const BestTimes& times);

} // namespace tobu
