#include "present/scenery.h"

#include <algorithm>

#include "present/plus_hud.h"
#include "present/sheets.h"

namespace tobu {
namespace {

constexpr int32_t DetailWidth = 40, DetailHeight = 20;
constexpr int32_t DetailFoot = 17;  // a standing frame's rows above the tile's top
constexpr int32_t DetailRoof = 3;   // a hanging frame's rows above the tile's bottom
constexpr int StandingFrames = 8, HangingFrames = 4;
constexpr uint32_t StandingChance = 55, HangingChance = 45;  // in hundredths of the cells

// A number of the cell's place alone, the same in every run.
uint32_t CellHash(int32_t column, int32_t row, uint32_t salt) {
  uint32_t h = static_cast<uint32_t>(column) * 73856093u ^ static_cast<uint32_t>(row) * 19349663u ^ salt;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  return h ^ (h >> 15);
}

bool Solid(const World& world, int32_t column, int32_t row) {
  return CellInGrid(column, row) && world.Cell(column, row) != TileEmpty;
}
bool Open(const World& world, int32_t column, int32_t row) {
  return CellInGrid(column, row) && world.Cell(column, row) == TileEmpty;
}

int32_t FloorDiv(int32_t a, int32_t b) { return a / b - (a % b < 0); }

struct Box {
  int64_t Left, Top, Right, Bottom;
  bool Touches(const Box& other) const {
    return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
  }
};
Box DetailBox(const DetailSpot& spot) {
  return {spot.X, spot.Y, spot.X + DetailWidth, spot.Y + DetailHeight};
}

}  // namespace

void DrawBackdrop(Display& display, int32_t skyX) {
  display.DrawFrame(SheetBackdrop, skyX, 0, 0);
  display.DrawFrame(SheetBackdrop, skyX + ViewWidth, 0, 0);
}

std::vector<DetailSpot> DetailsInView(const World& world, ViewCamera camera, int32_t hudTop) {
  const Box view{camera.X, camera.Y, int64_t{camera.X} + ViewWidth, int64_t{camera.Y} + ViewHeight};
  // The objects near the view: few, so each detail is held against all of them.
  std::vector<Box> objects;
  for (const LevelObject& object : world.ObjectList) {
    const Box box{object.X, object.Y, int64_t{object.X} + 40, int64_t{object.Y} + 40};
    if (box.Touches({view.Left - DetailWidth, view.Top - DetailHeight, view.Right + DetailWidth,
                     view.Bottom + DetailHeight}))
      objects.push_back(box);
  }
  const Box hud{view.Left, int64_t{camera.Y} + hudTop, view.Right, int64_t{camera.Y} + hudTop + HudHeight};
  std::vector<DetailSpot> spots;
  const auto offer = [&](const DetailSpot& spot) {
    const Box box = DetailBox(spot);
    if (!box.Touches(view) || (hudTop >= 0 && box.Touches(hud))) return;
    if (std::any_of(objects.begin(), objects.end(), [&](const Box& o) { return o.Touches(box); })) return;
    spots.push_back(spot);
  };
  const int32_t firstColumn = FloorDiv(camera.X, CellWidth) - 1,
                lastColumn = FloorDiv(camera.X + ViewWidth, CellWidth);
  const int32_t firstRow = FloorDiv(camera.Y, CellHeight) - 1,
                lastRow = FloorDiv(camera.Y + ViewHeight, CellHeight) + 1;
  for (int32_t row = std::max(firstRow, 0); row <= std::min(lastRow, GridSize - 1); ++row) {
    for (int32_t column = std::max(firstColumn, 0); column <= std::min(lastColumn, GridSize - 1); ++column) {
      if (!Solid(world, column, row)) continue;
      const int32_t x = column * CellWidth;
      if (const uint32_t h = CellHash(column, row, 1);
          Open(world, column, row - 1) && h % 100 < StandingChance)
        offer({x, row * CellHeight - DetailFoot, static_cast<int>(h / 100 % StandingFrames)});
      if (const uint32_t h = CellHash(column, row, 2);
          Open(world, column, row + 1) && h % 100 < HangingChance)
        offer({x, (row + 1) * CellHeight - DetailRoof,
               StandingFrames + static_cast<int>(h / 100 % HangingFrames)});
    }
  }
  return spots;
}

void DrawSurfaceDetails(Display& display, const World& world, ViewCamera camera, int32_t hudTop) {
  for (const DetailSpot& spot : DetailsInView(world, camera, hudTop))
    display.DrawFrame(SheetDetails, spot.X - camera.X, spot.Y - camera.Y, spot.Frame);
}

}  // namespace tobu
