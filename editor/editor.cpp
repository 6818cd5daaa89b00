#include "editor/editor.h"

#include <utility>

#include "editor/brushes.h"
#include "world/level_file.h"

namespace tobu {
namespace {

constexpr uint16_t KeyOne = 49, KeySpace = 32;
constexpr uint16_t KeyS = 83, KeyO = 79, KeyL = 76;
constexpr uint16_t KeyG = 71, KeyY = 89, KeyZ = 90, KeyShift = 16, KeyControl = 17;

// Cells under pointers outside the world (a letterboxed window, a drag past the edge)
// are left alone: nothing outside the grid is ever touched. True when the cell changed.
bool PaintAt(EditHistory& history, World& world, int32_t x, int32_t y, uint8_t code) {
  const std::optional<GridCell> cell = CellUnderPointer(world, x, y);
  if (!cell) return false;
  const int c = cell->Column, r = cell->Row;
  const bool changed = world.Cell(c, r) != code;
  history.RecordCell(c, r, world.Cell(c, r), code);
  world.SetCell(c, r, code);
  return changed;
}

EditorChange Painted(bool changed) { return changed ? EditorChange::Paint : EditorChange::None; }

uint8_t BrushTile(uint8_t brush) { return FindBrush(brush)->Tile; }

bool RemoveObjectAt(EditHistory& history, World& world, int32_t px, int32_t py) {
  int found = -1;
  for (int i = 0; i < world.ObjectCount; ++i) {
    const LevelObject& o = world.ObjectList[i];
    // Strictly inside: a point on a box's border hits nothing.
    if (o.X < px && px < o.X + 40 && o.Y < py && py < o.Y + 40) found = i;
  }
  if (found < 0) return false;
  history.RecordRemove(world.ObjectList[found], found);
  world.RemoveObject(found);
  return true;
}

EditorChange PressOnView(EditorState& editor, World& world, MouseButton button, int32_t x, int32_t y) {
  EditHistory& history = editor.History;
  if (button == MouseButton::Left) {
    editor.LeftButtonDown = true;
    if (TileBrush(editor.Brush)) {
      return Painted(PaintAt(history, world, x, y, BrushTile(editor.Brush)));
    } else {
      const int32_t left = world.CameraX + x - 20;
      const int32_t top = world.CameraY + y - 20;
      LevelObject& object = world.AppendObject();
      object.X = left;
      object.Y = top;
      // A brush number outside the list leaves the zeroed kind, which is food.
      if (const BrushRow* row = FindBrush(editor.Brush)) object.Kind = row->Kind;
      history.RecordPlace(object, world.ObjectCount - 1);
      return EditorChange::Place;
    }
  } else if (button == MouseButton::Right) {
    editor.RightButtonDown = true;
    if (TileBrush(editor.Brush)) return Painted(PaintAt(history, world, x, y, TileEmpty));
    if (RemoveObjectAt(history, world, world.CameraX + x, world.CameraY + y)) return EditorChange::Remove;
  }
  return EditorChange::None;
}

EditorChange MoveOnView(EditorState& editor, World& world, int32_t x, int32_t y) {
  if (!TileBrush(editor.Brush)) return EditorChange::None;
  bool changed = false;
  if (editor.LeftButtonDown) changed = PaintAt(editor.History, world, x, y, BrushTile(editor.Brush));
  // With both buttons held the erasure comes last and wins.
  if (editor.RightButtonDown) changed = PaintAt(editor.History, world, x, y, TileEmpty) || changed;
  return Painted(changed);
}

}  // namespace

std::optional<GridCell> CellUnderPointer(const World& world, int32_t x, int32_t y) {
  const int64_t column = (int64_t{world.CameraX} + x) / CellWidth;
  const int64_t row = (int64_t{world.CameraY} + y) / CellHeight;
  if (column < 0 || column >= GridSize || row < 0 || row >= GridSize) return std::nullopt;
  return GridCell{static_cast<int>(column), static_cast<int>(row)};
}

bool AcceptedNameChar(uint8_t ch) {
  // No full stop (a name cannot carry its own extension) and no path separators
  // (a typed name never leaves the levels directory).
  return ch >= 33 && ch <= 122 && ch != '.' && ch != '/' && ch != '\\';
}

void EnterEditor(EditorState& editor, World& world) {
  world.ClearLevel();
  editor.InputText.clear();
  ClosePrompts(editor);
  editor.History.Clear();
  editor.GridShown = false;
  editor.LevelName.clear();
  editor.RectangleFrom.reset();
  editor.Grabbed.reset();
  editor.MapOpen = false;
  KeepLevelAsSaved(editor, world);
}

void KeepLevelAsSaved(EditorState& editor, const World& world) {
  editor.KeptLevel = LevelBytes(world);
  editor.Unsaved = false;
}

void NoteEdit(EditorState& editor, const World& world) {
  editor.Unsaved = LevelBytes(world) != editor.KeptLevel;
}

void LeaveEditor(EditorState& editor) {
  ClosePrompts(editor);
  editor.RectangleFrom.reset();
  editor.Grabbed.reset();
  editor.MapOpen = false;
  editor.History.Clear();
}

EditorChange EditorMouseDown(EditorState& editor, World& world, MouseButton button, int32_t x, int32_t y) {
  const EditorChange change = PressOnView(editor, world, button, x, y);
  if (change != EditorChange::None) NoteEdit(editor, world);
  return change;
}

EditorChange EditorMouseMove(EditorState& editor, World& world, int32_t x, int32_t y) {
  const EditorChange change = MoveOnView(editor, world, x, y);
  if (change != EditorChange::None) NoteEdit(editor, world);
  return change;
}

void EditorMouseUp(EditorState& editor, MouseButton button) {
  if (button == MouseButton::Left) editor.LeftButtonDown = false;
  if (button == MouseButton::Right) editor.RightButtonDown = false;
  // A stroke lasts from the first press to the last release: one step to take back.
  if (!editor.LeftButtonDown && !editor.RightButtonDown) editor.History.EndStroke();
}

bool EditorToolKey(EditorState& editor, World& world, uint16_t key) {
  if (key >= KeyOne && key < KeyOne + BrushCount) {
    editor.Brush = static_cast<uint8_t>(key - KeyOne + 1);
    return true;
  }
  if (key == KeySpace) {
    const double oldX = world.RunnerX, oldY = world.RunnerY;
    world.RunnerX = static_cast<double>(editor.MouseX + world.CameraX);
    world.RunnerY = static_cast<double>(editor.MouseY + world.CameraY);
    editor.History.RecordStart(oldX, oldY, world.RunnerX, world.RunnerY);
    NoteEdit(editor, world);
    return true;
  }
  return false;
}

bool EditorCommandKey(EditorState& editor, World& world, uint16_t key, const std::array<bool, 256>& keyHeld) {
  if (key == KeyG) {
    editor.GridShown = !editor.GridShown;
    return true;
  }
  if (!keyHeld[KeyControl]) return false;
  if (key == KeyZ && !keyHeld[KeyShift]) {
    if (editor.History.Undo(world)) NoteEdit(editor, world);
    return true;
  }
  if (key == KeyY || key == KeyZ) {
    if (editor.History.Redo(world)) NoteEdit(editor, world);
    return true;
  }
  return false;
}

void EditorPromptKeyUp(EditorState& editor, uint16_t key) {
  if (key == KeyS) {
    editor.SavePromptOpen = true;
  } else if (key == KeyO || key == KeyL) {
    editor.OpenPromptOpen = true;
  }
}

void ScrollView(World& world, bool left, bool right, bool up, bool down) {
  if (left) world.CameraX -= 8;
  if (right) world.CameraX += 8;
  if (up) world.CameraY -= 8;
  if (down) world.CameraY += 8;
}

std::optional<FileRequest> EditorTypeChar(EditorState& editor, uint8_t ch) {
  if (std::exchange(editor.NameSelected, false) && (ch == 8 || AcceptedNameChar(ch))) {
    editor.InputText.clear();
    if (ch == 8) return std::nullopt;
  }
  if (editor.InputText.size() < MaxFileNameLength && AcceptedNameChar(ch)) {
    editor.InputText.push_back(static_cast<char>(ch));
    editor.CompletionPrefix.reset();  // typing starts a new completion
  }
  if (ch == 13 && !editor.InputText.empty()) {
    return FileRequest{editor.SavePromptOpen, "./" + editor.InputText + ".vel"};
  }
  if (ch == 8 && !editor.InputText.empty()) {
    editor.InputText.pop_back();
    editor.CompletionPrefix.reset();
  }
  return std::nullopt;
}

void ClosePrompts(EditorState& editor) {
  editor.NameSelected = false;
  editor.SavePromptOpen = false;
  editor.OpenPromptOpen = false;
  editor.CompletionPrefix.reset();
}

std::string PromptLine(const EditorState& editor) {
  if (editor.SavePromptOpen) return "Save: " + editor.InputText + "_";
  if (editor.OpenPromptOpen) return "Open: " + editor.InputText + "_";
  return {};
}

}  // namespace tobu
