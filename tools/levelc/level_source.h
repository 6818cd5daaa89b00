#pragma once
#include <stdexcept>
#include <string>

#include "world/world.h"

namespace tobu {

// A level source that cannot be compiled; the message names the line.
class LevelSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The level a source describes: header lines ("name: ...", "start: X Y",
// "object: food|killer|exit X Y"), then "grid:" and up to 101 rows of up to 101
// cells, padded with empty cells. Lines starting with ';' are comments. Grid legend:
//   .  empty      #  ground      =  grass      S  the runner's start, standing in the cell
//   f  food       k  killer      x  exit       (each standing on the floor of its cell)
// Objects come in reading order of the grid, then the "object:" lines in their order.
World ParseLevelSource(const std::string& text);

// Reads the source file, builds the world and writes it with SaveLevel.
void CompileLevelFile(const std::string& sourcePath, const std::string& levelPath);

// Where an object drawn in cell (column, row) stands: its 40 x 40 box rests on the
// cell's floor, so a runner walking on the row below touches it.
LevelObject ObjectInCell(uint8_t kind, int column, int row);

}  // namespace tobu
