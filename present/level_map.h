#pragma once
#include <cstdint>

#include "present/display.h"
#include "world/level_file.h"

namespace tobu {

// A level drawn small: each of its 101 x 101 cells a square of MapCell pixels in the
// colours of its theme (present/themes.h), the food, killers and daisies as dots and the
// runner's start as a bar, the map's top-left at (x, y).
constexpr int MapCell = 2;
constexpr int MapSize = GridSize * MapCell;
void DrawLevelMap(Display& display, int x, int y, const ParsedLevel& level, int theme);

// The map's colours (RGB565): the sky and the two tiles of each theme, near the average
// of their sheets (the grass's green top rather than its soil), and the marks.
struct MapColours {
  uint16_t Sky, Grass, Ground;
};
MapColours ThemeMapColours(int theme);
constexpr uint16_t MapFood = 0xE8E4;    // apple red
constexpr uint16_t MapKiller = 0x0000;  // black, as the spiked ball
constexpr uint16_t MapExit = 0xFFFF;    // the daisy's white
constexpr uint16_t MapStart = 0xFD20;   // orange, seen on every theme

}  // namespace tobu
