#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/history.h"

namespace tobu {

enum class MouseButton { Left, Right, Middle };

// A cell of the level's grid, counted from 0 as World::Cell and the level sources count.
struct GridCell {
  int Column = 0;
  int Row = 0;
};

// A point of the world in pixels.
struct WorldPixel {
  int32_t X = 0;
  int32_t Y = 0;
};

// The editor's tools; they outlive the editor (Brush is kept when it is left and entered again).
struct EditorState {
  uint8_t Brush = 1;  // numbered from 1, as in editor/brushes.h
  bool LeftButtonDown = false;
  bool RightButtonDown = false;
  int32_t MouseX = 0;  // last pointer position in back-buffer pixels, stored in every mode
  int32_t MouseY = 0;
  bool SavePromptOpen = false;
  bool OpenPromptOpen = false;
  std::string InputText;  // the typed file name, without directory and extension
  // While Tab walks through the level names: the text typed before the first Tab.
  std::optional<std::string> CompletionPrefix;
  // Plus: the name a prompt opens with is chosen, so that a letter typed replaces it
  // rather than adding to it; Return still takes it.
  bool NameSelected = false;
  EditHistory History;     // cleared on entry, on leaving and by Open
  bool GridShown = false;  // the cell grid overlay, off on each entry
  // The file the level in memory came from or went to last (a name as typed, without
  // ".vel"; empty for a new level), and whether it differs from it now.
  std::string LevelName;
  bool Unsaved = false;
  // The level's file bytes when it was entered, opened or saved last: an edit undone, or
  // a stroke that painted what was there, leaves nothing unsaved.
  std::vector<uint8_t> KeptLevel;
  // Plus: the cell a Shift-press began a rectangle at, until that button's release; the
  // left button paints the rectangle, the right one erases it.
  std::optional<GridCell> RectangleFrom;
  MouseButton RectangleButton = MouseButton::Left;
  // Plus: the world pixel the middle button grabbed, kept under the pointer until its release.
  std::optional<WorldPixel> Grabbed;
  bool MapOpen = false;  // plus: the whole level's map over the view (Tab)

  bool PromptOpen() const { return SavePromptOpen || OpenPromptOpen; }
};

}  // namespace tobu
