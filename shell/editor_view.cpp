// Plus in the editor, drawn over the view: the world's edges, a rectangle being dragged,
// the level's map (shell/editor_map.cpp), the toolbar with the cell under the pointer, the
// Save and Open dialog with the names Tab would give (or why a save or open failed), and
// the notice after a save or an open. A press on the toolbar chooses a brush and paints
// nothing.
#include <algorithm>
#include <string>

#include "editor/brushes.h"
#include "editor/editor.h"
#include "editor/rectangle.h"
#include "present/bitmap_text.h"
#include "present/plus_palette.h"
#include "present/plus_panel.h"
#include "present/sheets.h"
#include "shell/editor_map.h"
#include "shell/game.h"

namespace tobu {
namespace {

constexpr int ToolbarHeight = ViewHeight - EditorToolbarTop;
constexpr int BrushTop = EditorToolbarTop + 6;
constexpr int PictureSize = 40;
constexpr int BrushLeft(int brush) { return 30 + (brush - 1) * 54; }
// Where the runner leaves the world, and the camera's view stops.
constexpr int WorldRight = CameraMaxX + ViewWidth;
constexpr int WorldBottom = CameraMaxY + ViewHeight;

// "x 37 y 82": the cell under the pointer (on the map while it is open), counted from 0 as
// the level sources count; with a rectangle's size while one is dragged. Empty over the
// toolbar and outside the world.
std::string PointerCellText(const EditorState& editor, const World& level) {
  const std::optional<GridCell> cell = editor.MapOpen ? LevelMapCellAt(editor.MouseX, editor.MouseY)
                                                      : CellUnderPointer(level, editor.MouseX, editor.MouseY);
  if (editor.MouseY >= EditorToolbarTop || !cell) return {};
  std::string text = "x " + std::to_string(cell->Column) + " y " + std::to_string(cell->Row);
  if (const auto area = RectangleToPointer(editor, level, editor.MouseX, editor.MouseY))
    text += ", " + std::to_string(area->Columns()) + " x " + std::to_string(area->Rows()) + " cells";
  return text;
}

// The brushes with their keys, the current one framed; what the buttons do with it and
// the cell under the pointer; the level's name and, before it, a dot while it has
// unsaved changes.
void DrawToolbar(Display& display, const EditorState& editor, const World& level) {
  display.FillRect(0, EditorToolbarTop, ViewWidth, ToolbarHeight, palette::PanelFill);
  display.FillRect(0, EditorToolbarTop, ViewWidth, 2, palette::PanelEdge);
  for (int brush = 1; brush <= BrushCount; ++brush) {
    const int left = BrushLeft(brush);
    const int top = BrushTop + (TileBrush(brush) ? 4 : 0);  // a tile is 31 pixels high
    display.DrawCanvasText(left - 12, BrushTop + 15, std::to_string(brush));
    display.DrawFrame(SheetNamed(FindBrush(brush)->Sheet), left, top, 0);
    if (brush == editor.Brush)
      display.OutlineRect(left - 3, BrushTop - 3, PictureSize + 6, PictureSize + 6, palette::White);
  }
  const std::string name(FindBrush(std::clamp(int{editor.Brush}, 1, BrushCount))->Label);
  const bool tiles = TileBrush(editor.Brush);
  display.DrawCanvasText(300, BrushTop - 2,
                         "Left button: " + std::string(tiles ? "paint " : "place ") + name);
  display.DrawCanvasText(300, BrushTop + 13,
                         tiles ? "Right button: erase (Shift: box)" : "Right button: remove an object");
  display.DrawCanvasText(300, BrushTop + 28, PointerCellText(editor, level));
  if (editor.Unsaved) display.FillRect(484, BrushTop + 1, 7, 7, palette::Orange);
  display.DrawCanvasText(497, BrushTop - 2, editor.LevelName.empty() ? "new level" : editor.LevelName);
  display.DrawCanvasText(497, BrushTop + 13, editor.Unsaved ? "unsaved changes" : "S saves, O opens");
  display.DrawCanvasText(497, BrushTop + 28, "F5 play-test, F1 help");
}

// The Save and Open dialog, and its list of names under the field.
constexpr int DialogWidth = 360, DialogHeight = 276, DialogTop = 90;
constexpr int DialogLeft = (ViewWidth - DialogWidth) / 2;
constexpr int ListRowHeight = 14;
constexpr int64_t DoubleClickTicks = 50;  // 0.5 s

// The list's rows: fewer under a failure or a hint, which take the first row's place.
struct ListLayout {
  int Rows;
  int Top;    // the first row's text
  int First;  // the first name shown
};

// The list from `listTop` on, or as near as shows the picked name.
ListLayout LayOutList(const EditorState& editor, const EditorDialogs& dialogs, const char* hint,
                      const std::vector<std::string>& names, int listTop) {
  const bool failed = !dialogs.Failure.empty() || hint != nullptr;
  const int rows = failed ? 8 : 9, count = static_cast<int>(names.size());
  const int picked = PickedName(editor, names);
  int first = std::clamp(listTop, 0, std::max(0, count - rows));
  if (picked >= 0) first = std::clamp(first, picked - (rows - 1), picked);
  return {rows, DialogTop + (failed ? 106 : 88), first};
}

// The world's edges, where a runner leaves it and the camera stops: a dark band inside
// each edge in view, so that an empty level is not an endless sky.
void DrawWorldEdges(Display& display, const World& level) {
  constexpr int Band = 6;
  constexpr uint16_t EdgeRed = 0x8000;
  const int left = -level.CameraX, top = -level.CameraY;
  const int right = WorldRight - level.CameraX, bottom = WorldBottom - level.CameraY;
  const auto band = [&](int x, int y, int w, int h) {
    display.BlendRect(x, y, w, h, EdgeRed, palette::BackingAmount);
  };
  if (left > -Band) band(left, top, Band, bottom - top);
  if (right < ViewWidth + Band) band(right - Band, top, Band, bottom - top);
  if (top > -Band) band(left, top, right - left, Band);
  if (bottom < ViewHeight + Band) band(left, bottom - Band, right - left, Band);
}

// The Save or Open dialog: the typed name with its caret and length, and the level names
// Tab would give from it, the one shown in the field highlighted; `hint`, when not null,
// says why the field refused the last key.
void DrawFileDialog(Display& display, const EditorState& editor, const EditorDialogs& dialogs,
                    const char* hint) {
  constexpr int width = DialogWidth, height = DialogHeight, left = DialogLeft, top = DialogTop;
  DrawPlusPanel(display, left, top, width, height);
  ShowString(display, -1, top + 12, editor.SavePromptOpen ? "Save level" : "Open level");
  DrawNameField(display, left + 20, top + 40, width - 40, editor.InputText, MaxFileNameLength,
                editor.NameSelected);
  if (!dialogs.Failure.empty()) {
    display.FillRect(left + 20, top + 84, width - 40, 16, palette::FailureRed);
    display.DrawCanvasText(left + 26, top + 86, dialogs.Failure);
  } else if (hint) {
    DrawFieldHint(display, left + 20, top + 84, width - 40, hint);
  }
  const std::vector<std::string> names = CompletionNames(editor, dialogs.LevelFiles);
  const int current = PickedName(editor, names);
  const auto [rows, listTop, first] = LayOutList(editor, dialogs, hint, names, dialogs.ListTop);
  for (int row = 0; row < rows && first + row < static_cast<int>(names.size()); ++row) {
    const int y = listTop + row * ListRowHeight;
    if (first + row == current)
      display.FillRect(left + 20, y - 2, width - 40, ListRowHeight, palette::Highlight);
    display.DrawCanvasText(left + 26, y, names[static_cast<size_t>(first + row)]);
  }
  if (names.empty()) display.DrawCanvasText(left + 26, listTop, "No level starts with this name");
  if (first + rows < static_cast<int>(names.size()))
    display.DrawCanvasText(left + 26, listTop + rows * ListRowHeight,
                           "and more: Down, Page Down or the wheel");
  display.DrawCanvasText(left + 20, top + height - 34, "Up, Down, Page keys or the wheel move the highlight");
  display.DrawCanvasText(left + 20, top + height - 20,
                         editor.SavePromptOpen ? "Return saves, Tab completes, Escape cancels"
                                               : "Return opens, Tab completes, Escape cancels");
}

// The cells a Shift-drag would paint, in white inside a dark line so that both sky and
// rock show it; an erase is a red line twice as wide over cells tinted red, since a thin
// red line is lost on the cave's dark rock. The far corner stays above the toolbar, as
// the release's does.
void DrawRectangleOutline(Display& display, const EditorState& editor, const World& level) {
  constexpr uint8_t EraseTint = 64;  // of 255
  const int32_t y = std::min(editor.MouseY, EditorToolbarTop - 1);
  const std::optional<CellRectangle> area = RectangleToPointer(editor, level, editor.MouseX, y);
  if (!area) return;
  const int left = area->TopLeft.Column * CellWidth - level.CameraX;
  const int top = area->TopLeft.Row * CellHeight - level.CameraY;
  const int width = area->Columns() * CellWidth, height = area->Rows() * CellHeight;
  const bool erases = editor.RectangleButton == MouseButton::Right;
  const int line = erases ? 2 : 1;
  if (erases) display.BlendRect(left, top, width, height, palette::Red, EraseTint);
  display.OutlineRect(left - 1, top - 1, width + 2, height + 2, palette::PanelFill);
  for (int i = 0; i < line; ++i)
    display.OutlineRect(left + i, top + i, width - 2 * i, height - 2 * i,
                        erases ? palette::Red : palette::White);
  display.OutlineRect(left + line, top + line, width - 2 * line, height - 2 * line, palette::PanelFill);
}

}  // namespace

void Game::DrawPlusEditor() {
  DrawWorldEdges(display_, Level);
  DrawRectangleOutline(display_, Editor, Level);
  if (Editor.MapOpen) DrawLevelMapCard();  // before the toolbar, which covers its shadow
  DrawToolbar(display_, Editor, Level);
  if (Editor.PromptOpen() && !OpenQuestion) DrawFileDialog(display_, Editor, EditorAsk, NameFieldHint);
  if (EditorAsk.Notice.Shown() && !Editor.PromptOpen() && !OpenQuestion && !Editor.MapOpen)
    DrawTextCard(display_, EditorToolbarTop - 56, {EditorAsk.Notice.Text});
}

// Up, Down and the Page keys in the Save or Open dialog move its list's pick.
bool Game::DialogListKeyDown(uint16_t key) {
  constexpr uint16_t VkPageUp = 33, VkPageDown = 34;
  const int page = LayOutList(Editor, EditorAsk, NameFieldHint, {}, 0).Rows;
  if (key == VkUp || key == VkDown) StepDialogList(key == VkUp ? -1 : 1);
  if (key == VkPageUp || key == VkPageDown) StepDialogList(key == VkPageUp ? -page : page);
  return key == VkUp || key == VkDown || key == VkPageUp || key == VkPageDown;
}

// The list moves as little as shows the new pick.
void Game::StepDialogList(int step) {
  const std::vector<std::string> names = CompletionNames(Editor, EditorAsk.LevelFiles);
  const int shown = LayOutList(Editor, EditorAsk, NameFieldHint, names, EditorAsk.ListTop).First;
  StepThroughNames(Editor, EditorAsk.LevelFiles, step);
  EditorAsk.ListTop = LayOutList(Editor, EditorAsk, NameFieldHint, names, shown).First;
  NameFieldHint = nullptr;
}

// A click on a listed name picks it; a second click on it soon after (a double click)
// opens or saves it as Return would.
void Game::ClickDialogList(int32_t x, int32_t y) {
  const std::vector<std::string> names = CompletionNames(Editor, EditorAsk.LevelFiles);
  const ListLayout list = LayOutList(Editor, EditorAsk, NameFieldHint, names, EditorAsk.ListTop);
  const int row = (y - (list.Top - 2)) / ListRowHeight, index = list.First + row;
  const bool inside = x >= DialogLeft + 20 && x < DialogLeft + DialogWidth - 20 && y >= list.Top - 2;
  if (!inside || row >= list.Rows || index >= static_cast<int>(names.size())) return;
  const std::string& name = names[static_cast<size_t>(index)];
  const bool again =
      name == EditorAsk.ClickedName && Anim.SceneTick - EditorAsk.ClickedTick <= DoubleClickTicks;
  EditorAsk.ClickedName = again ? "" : name;
  EditorAsk.ClickedTick = Anim.SceneTick;
  PickName(Editor, EditorAsk.LevelFiles, index);
  EditorAsk.ListTop = list.First;
  NameFieldHint = nullptr;
  if (again) EditorKeyPress(VkReturn);
}

// Plus: a press on the toolbar chooses the brush under it, one on the dialog's list a name.
// True when the press was used up.
bool Game::PlusEditorMouseDown(int32_t x, int32_t y) {
  if (Editor.PromptOpen()) return ClickDialogList(x, y), true;
  if (y < EditorToolbarTop) return false;
  for (int brush = 1; brush <= BrushCount; ++brush) {
    if (x >= BrushLeft(brush) - 3 && x < BrushLeft(brush) + PictureSize + 3)
      Editor.Brush = static_cast<uint8_t>(brush);
  }
  return true;
}

}  // namespace tobu
