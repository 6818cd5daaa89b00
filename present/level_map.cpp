#include "present/level_map.h"

#include <array>

#include "present/themes.h"
#include "world/object_kinds.h"

namespace tobu {
namespace {

constexpr int ObjectSize = 40;
constexpr int RunnerWidth = 27, RunnerHeight = 64;
constexpr int DotSize = 4;  // an object covers one cell and a bit; a dot shows it at a glance

// RGB565 of 0xRRGGBB.
constexpr uint16_t Rgb(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}

constexpr std::array<MapColours, ThemeCount> Colours{{
    {Rgb(0x88B3EA), Rgb(0x3CB43C), Rgb(0x232E5F)},  // meadow
    {Rgb(0xAB6451), Rgb(0xD0A040), Rgb(0x6F301C)},  // dusk
    {Rgb(0x54515B), Rgb(0x4CB45C), Rgb(0x413A33)},  // cave
    {Rgb(0xC1D1E5), Rgb(0xF0F4FA), Rgb(0x455470)},  // snow
}};

// Runs of one tile down each column, one rectangle each: a level is mostly long runs.
void DrawCells(Display& display, int x, int y, const ParsedLevel& level, const MapColours& colours) {
  for (int column = 0; column < GridSize; ++column) {
    int row = 0;
    while (row < GridSize) {
      const uint8_t tile = level.TileGrid[column * GridSize + row];
      int end = row + 1;
      while (end < GridSize && level.TileGrid[column * GridSize + end] == tile) ++end;
      if (tile == TileGrass || tile == TileGround) {
        display.FillRect(x + column * MapCell, y + row * MapCell, MapCell, (end - row) * MapCell,
                         tile == TileGrass ? colours.Grass : colours.Ground);
      }
      row = end;
    }
  }
}

// A mark centred on the cell holding world pixel (worldX, worldY), clipped to the map.
void DrawMark(Display& display, int x, int y, int worldX, int worldY, int width, int height,
              uint16_t colour) {
  const int column = worldX / CellWidth, row = worldY / CellHeight;
  if (!CellInGrid(column, row)) return;
  display.FillRect(x + column * MapCell + MapCell / 2 - width / 2,
                   y + row * MapCell + MapCell / 2 - height / 2, width, height, colour);
}

}  // namespace

MapColours ThemeMapColours(int theme) { return Colours[theme >= 0 && theme < ThemeCount ? theme : 0]; }

void DrawLevelMap(Display& display, int x, int y, const ParsedLevel& level, int theme) {
  const MapColours colours = ThemeMapColours(theme);
  display.FillRect(x, y, MapSize, MapSize, colours.Sky);
  DrawCells(display, x, y, level, colours);
  constexpr uint16_t KindColours[] = {MapFood, MapKiller, MapExit};
  for (const LevelObject& object : level.Objects) {
    if (!FindObjectKind(object.Kind)) continue;
    DrawMark(display, x, y, object.X + ObjectSize / 2, object.Y + ObjectSize / 2, DotSize, DotSize,
             KindColours[object.Kind]);
  }
  DrawMark(display, x, y, level.StartX + RunnerWidth / 2, level.StartY + RunnerHeight / 2, DotSize,
           2 * DotSize, MapStart);
}

}  // namespace tobu
