// Plus: Shift and a left drag paint a tile brush over a rectangle of cells, from the
// press to the release, taken back as one step; Shift and a right drag erase one.
#pragma once
#include <cstdint>

#include "editor/editor.h"

namespace tobu {

// The cells from one corner to the other, both included.
struct CellRectangle {
  GridCell TopLeft;
  GridCell BottomRight;
  int Columns() const { return BottomRight.Column - TopLeft.Column + 1; }
  int Rows() const { return BottomRight.Row - TopLeft.Row + 1; }
};

// A Shift-press of the left or right button: starts a rectangle at the cell under the
// pointer. False, with nothing started, for the middle button, a brush that places one
// object (the press is then a plain click) or a pointer outside the world.
bool BeginRectangle(EditorState& editor, const World& world, MouseButton button, int32_t x, int32_t y);
// The rectangle from its first cell to the one under the pointer, which stops at the
// world's edges; none while no rectangle is begun.
std::optional<CellRectangle> RectangleToPointer(const EditorState& editor, const World& world, int32_t x,
                                                int32_t y);
// The button's release: the brush's tile (the empty one for the right button) in every
// cell of the rectangle, grass only on its top row and ground under it, recorded in the current stroke (closed by the release as any
// stroke is).
EditorChange EndRectangle(EditorState& editor, World& world, int32_t x, int32_t y);

}  // namespace tobu
