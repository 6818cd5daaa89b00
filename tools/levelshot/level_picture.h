// The whole 4040 x 3131 world of a level as the game draws it, for looking at a level
// at a glance: the sky, every cell, every object and the runner's start.
#pragma once
#include <cstdint>
#include <vector>

#include "world/world.h"

namespace tobu {

// 8-bit RGB, row by row, three bytes a pixel.
struct RgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;
};

// Draws the world view by view with the game's own drawing code and reduces it by
// `scale` (each output pixel the mean of a scale x scale block; scale 1 keeps every pixel).
RgbPicture DrawLevelPicture(const World& world, int scale);

}  // namespace tobu
