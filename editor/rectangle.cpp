#include "editor/rectangle.h"

#include <algorithm>

#include "editor/brushes.h"

namespace tobu {

bool BeginRectangle(EditorState& editor, const World& world, MouseButton button, int32_t x, int32_t y) {
  if (button == MouseButton::Middle || !TileBrush(editor.Brush)) return false;
  editor.RectangleButton = button;
  editor.RectangleFrom = CellUnderPointer(world, x, y);
  return editor.RectangleFrom.has_value();
}

std::optional<CellRectangle> RectangleToPointer(const EditorState& editor, const World& world, int32_t x,
                                                int32_t y) {
  if (!editor.RectangleFrom) return std::nullopt;
  const auto clamped = [](int64_t at, int cell) {
    return static_cast<int>(std::clamp<int64_t>(at / cell, 0, GridSize - 1));
  };
  const GridCell from = *editor.RectangleFrom;
  const GridCell to{clamped(int64_t{world.CameraX} + x, CellWidth),
                    clamped(int64_t{world.CameraY} + y, CellHeight)};
  return CellRectangle{{std::min(from.Column, to.Column), std::min(from.Row, to.Row)},
                       {std::max(from.Column, to.Column), std::max(from.Row, to.Row)}};
}

EditorChange EndRectangle(EditorState& editor, World& world, int32_t x, int32_t y) {
  const std::optional<CellRectangle> area = RectangleToPointer(editor, world, x, y);
  editor.RectangleFrom.reset();
  if (!area || !TileBrush(editor.Brush)) return EditorChange::None;
  const uint8_t brushTile =
      editor.RectangleButton == MouseButton::Right ? uint8_t{TileEmpty} : FindBrush(editor.Brush)->Tile;
  bool changed = false;
  for (int column = area->TopLeft.Column; column <= area->BottomRight.Column; ++column) {
    for (int row = area->TopLeft.Row; row <= area->BottomRight.Row; ++row) {
      // A block of grass is grass on its top row and ground under it, as levels are built.
      const uint8_t tile = brushTile == TileGrass && row > area->TopLeft.Row ? uint8_t{TileGround} : brushTile;
      changed = changed || world.Cell(column, row) != tile;
      editor.History.RecordCell(column, row, world.Cell(column, row), tile);
      world.SetCell(column, row, tile);
    }
  }
  if (!changed) return EditorChange::None;
  NoteEdit(editor, world);
  return EditorChange::Paint;
}

}  // namespace tobu
