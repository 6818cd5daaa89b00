#include "present/level_map.h"

#include <algorithm>
#include <array>

#include "present/themes.h"
#include "world/object_kinds.h"

namespace tobu {
namespace {

constexpr int ObjectSize = 40;
constexpr int RunnerWidth = 27, RunnerHeight = 64;
constexpr int DotSize = 4;       // an object covers one cell and a bit; a dot shows it at a glance
constexpr int Margin = 1;        // cells around the used area
constexpr int FewestCells = 16;  // a tiny level is not blown up past this many cells across

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

bool Filled(const ParsedLevel& level, int column, int row) {
  const uint8_t tile = level.TileGrid[column * GridSize + row];
  return tile == TileGrass || tile == TileGround;
}

// A filled cell with an empty neighbour inside the grid: where the runner can stand or bump.
bool Surface(const ParsedLevel& level, int column, int row) {
  if (!Filled(level, column, row)) return false;
  constexpr int Steps[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& step : Steps) {
    const int c = column + step[0], r = row + step[1];
    if (CellInGrid(c, r) && !Filled(level, c, r)) return true;
  }
  return false;
}

// The grown box of cells, [Left, Right] x [Top, Bottom].
struct CellBox {
  int Left = GridSize, Top = GridSize, Right = -1, Bottom = -1;
  void Add(int column, int row) {
    if (!CellInGrid(column, row)) return;
    Left = std::min(Left, column), Right = std::max(Right, column);
    Top = std::min(Top, row), Bottom = std::max(Bottom, row);
  }
};

// Where the frame's cells land in the box: cell `i` of the frame from Edge(i) to Edge(i + 1).
struct MapScale {
  int Size, Cells, Offset;
  int Edge(int i) const { return Offset + i * Size / Cells; }
};

// Runs of one tile down each column, one rectangle each: a level is mostly long runs.
void DrawCells(Display& display, const MapScale& across, const MapScale& down, const MapFrame& frame,
               const ParsedLevel& level, const MapColours& colours) {
  for (int i = 0; i < frame.Width; ++i) {
    const int column = frame.Column + i;
    int j = 0;
    while (j < frame.Height) {
      const uint8_t tile = level.TileGrid[column * GridSize + frame.Row + j];
      int end = j + 1;
      while (end < frame.Height && level.TileGrid[column * GridSize + frame.Row + end] == tile) ++end;
      const uint16_t colour = tile == TileGrass    ? colours.Grass
                              : tile == TileGround ? colours.Ground
                                                   : colours.Sky;
      display.FillRect(across.Edge(i), down.Edge(j), across.Edge(i + 1) - across.Edge(i),
                       down.Edge(end) - down.Edge(j), colour);
      j = end;
    }
  }
}

// A mark centred on the cell holding world pixel (worldX, worldY), when the frame shows it.
void DrawMark(Display& display, const MapScale& across, const MapScale& down, const MapFrame& frame,
              int worldX, int worldY, int width, int height, uint16_t colour) {
  const int i = worldX / CellWidth - frame.Column, j = worldY / CellHeight - frame.Row;
  if (worldX < 0 || worldY < 0 || i < 0 || j < 0 || i >= frame.Width || j >= frame.Height) return;
  const int centreX = (across.Edge(i) + across.Edge(i + 1)) / 2;
  const int centreY = (down.Edge(j) + down.Edge(j + 1)) / 2;
  display.FillRect(centreX - width / 2, centreY - height / 2, width, height, colour);
}

}  // namespace

MapColours ThemeMapColours(int theme) { return Colours[theme >= 0 && theme < ThemeCount ? theme : 0]; }

MapFrame UsedArea(const ParsedLevel& level) {
  CellBox box;
  for (int column = 0; column < GridSize; ++column) {
    for (int row = 0; row < GridSize; ++row) {
      if (Surface(level, column, row)) box.Add(column, row);
    }
  }
  for (const LevelObject& object : level.Objects) {
    if (FindObjectKind(object.Kind) && object.X >= -ObjectSize / 2 && object.Y >= -ObjectSize / 2)
      box.Add((object.X + ObjectSize / 2) / CellWidth, (object.Y + ObjectSize / 2) / CellHeight);
  }
  if (level.StartX >= 0 && level.StartY >= 0)
    box.Add((level.StartX + RunnerWidth / 2) / CellWidth, (level.StartY + RunnerHeight / 2) / CellHeight);
  if (box.Right < 0) return MapFrame{};
  const int left = std::max(0, box.Left - Margin), top = std::max(0, box.Top - Margin);
  return MapFrame{left, top, std::min(GridSize - 1, box.Right + Margin) - left + 1,
                  std::min(GridSize - 1, box.Bottom + Margin) - top + 1};
}

void DrawLevelMap(Display& display, int x, int y, int size, const MapFrame& frame, const ParsedLevel& level,
                  int theme) {
  const MapColours colours = ThemeMapColours(theme);
  const int cells = std::max({frame.Width, frame.Height, FewestCells});
  const MapScale across{size, cells, x + (size - frame.Width * size / cells) / 2};
  const MapScale down{size, cells, y + (size - frame.Height * size / cells) / 2};
  DrawCells(display, across, down, frame, level, colours);
  constexpr uint16_t KindColours[] = {MapFood, MapKiller, MapExit};
  for (const LevelObject& object : level.Objects) {
    if (!FindObjectKind(object.Kind)) continue;
    DrawMark(display, across, down, frame, object.X + ObjectSize / 2, object.Y + ObjectSize / 2, DotSize,
             DotSize, KindColours[object.Kind]);
  }
  DrawMark(display, across, down, frame, level.StartX + RunnerWidth / 2, level.StartY + RunnerHeight / 2,
           DotSize, 2 * DotSize, MapStart);
}

}  // namespace tobu
