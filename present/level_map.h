#pragma once
#include <cstdint>

#include "present/display.h"
#include "world/level_file.h"

namespace tobu {

// The cells a map shows: `Width` x `Height` of them, the top-left one at (Column, Row).
struct MapFrame {
  int Column = 0, Row = 0, Width = GridSize, Height = GridSize;
  bool operator==(const MapFrame&) const = default;
};

// Where a level happens, with a cell of margin: its surfaces (a filled cell beside an
// empty one, since levels fill the cells they do not use), objects and start. The whole
// grid when the level has none of these.
MapFrame UsedArea(const ParsedLevel& level);

// A level drawn small in a square box of `size` pixels, its top-left at (x, y): the cells
// of `frame` as squares as large as the box allows (centred, the rest of the box left as
// it was), in the colours of its theme (present/themes.h), the food, killers and daisies
// as dots and the runner's start as a bar.
void DrawLevelMap(Display& display, int x, int y, int size, const MapFrame& frame, const ParsedLevel& level,
                  int theme);

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
