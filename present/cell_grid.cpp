#include "present/cell_grid.h"

#include <algorithm>

namespace tobu {
namespace {

constexpr int GridWidth = GridSize * CellWidth;    // 4040
constexpr int GridHeight = GridSize * CellHeight;  // 3131

// Borders 0..GridSize of cells `size` pixels long that lie in a view `extent` long seen
// from `camera`: calls draw(border, its position in the view).
template <typename Draw>
void EachBorderInView(int32_t camera, int size, int extent, Draw draw) {
  const int64_t first = std::max<int64_t>(0, (int64_t{camera} + size - 1) / size);
  for (int64_t border = first; border <= GridSize && border * size - camera < extent; ++border) {
    draw(static_cast<int>(border), static_cast<int>(border * size - camera));
  }
}

}  // namespace

void DrawCellGrid(Display& display, const World& world) {
  // Each line runs across the grid only, its far border included; the display clips.
  const int gridLeft = -world.CameraX, gridTop = -world.CameraY;
  const auto column = [&](int x, uint16_t colour) {
    display.FillRect(x, gridTop, 1, GridHeight + 1, colour);
  };
  const auto row = [&](int y, uint16_t colour) { display.FillRect(gridLeft, y, GridWidth + 1, 1, colour); };
  int endX = -1, endY = -1;
  EachBorderInView(world.CameraX, CellWidth, ViewWidth, [&](int border, int x) {
    if (border < GridSize)
      column(x, GridLineColour);
    else
      endX = x;
  });
  EachBorderInView(world.CameraY, CellHeight, ViewHeight, [&](int border, int y) {
    if (border < GridSize)
      row(y, GridLineColour);
    else
      endY = y;
  });
  // The world's end last, so no grey line crosses it.
  if (endX >= 0) column(endX, WorldEndColour);
  if (endY >= 0) row(endY, WorldEndColour);
}

}  // namespace tobu
