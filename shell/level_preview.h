#pragma once
#include <string>

#include "present/level_map.h"
#include "world/level_file.h"

namespace tobu {

// What the plus level list shows of the highlighted level beside the rows: its cells and
// objects for the map and the part of them it shows, its food and its theme. Read on its
// own, so the game's level, the list's position and the files stay as they are.
struct LevelPreview {
  bool Readable = false;
  ParsedLevel Level;
  MapFrame Frame;
  int FoodCount = 0;
  int Theme = 0;
};

// The level file `file` read for its preview; not Readable when it cannot be read.
LevelPreview ReadLevelPreview(const std::string& file);

}  // namespace tobu
