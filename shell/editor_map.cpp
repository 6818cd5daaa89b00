// Plus in the editor: Tab shows the whole level small, as the level list's preview draws
// it, with the view's part outlined; a click there takes the view to the place. While the
// map is open nothing paints and only the arrows reach the editor.
#include "shell/editor_map.h"

#include <cstring>

#include "present/level_map.h"
#include "present/plus_palette.h"
#include "present/plus_panel.h"
#include "present/themes.h"
#include "shell/game.h"
#include "world/numeric.h"

namespace tobu {
namespace {

constexpr int Border = 5;       // the panel's frame and a pixel of gap
constexpr int HintHeight = 14;  // the key line under the map
// The largest whole number of pixels per cell with which the map fits above the toolbar.
constexpr int MapScale = (EditorToolbarTop - 2 * Border - HintHeight) / GridSize;
static_assert(MapScale >= 1);
constexpr int MapSize = MapScale * GridSize;
constexpr int PanelWidth = MapSize + 2 * Border, PanelHeight = MapSize + 2 * Border + HintHeight;
constexpr int PanelLeft = (ViewWidth - PanelWidth) / 2, PanelTop = (EditorToolbarTop - PanelHeight) / 2;
constexpr int MapLeft = PanelLeft + Border, MapTop = PanelTop + Border;
constexpr const char* Hint = "Click a place to go there    Tab or Escape closes";

// The level as its file would hold it, which is what the map draws.
ParsedLevel LevelOnMap(const World& level) {
  ParsedLevel parsed;
  parsed.TileGrid = level.TileGrid;
  parsed.Objects = level.ObjectList;
  parsed.StartX = RoundPixel(level.RunnerX);
  parsed.StartY = RoundPixel(level.RunnerY);
  return parsed;
}

}  // namespace

std::optional<GridCell> LevelMapCellAt(int32_t x, int32_t y) {
  if (x < MapLeft || y < MapTop) return std::nullopt;
  const GridCell cell{(x - MapLeft) / MapScale, (y - MapTop) / MapScale};
  if (!CellInGrid(cell.Column, cell.Row)) return std::nullopt;
  return cell;
}

// Tab opens the map, Tab or Escape closes it (Escape never leaves the editor from it, nor
// does its repeat while held); the arrows still scroll, moving the outline. True when the
// key was used up.
bool Game::LevelMapKeyDown(uint16_t key) {
  if (key == mapKey_ && KeyHeld[key]) return true;  // still held, repeating
  if (Editor.MapOpen) {
    if (key == VkTab || key == VkEscape) {
      Editor.MapOpen = false;
      mapKey_ = key;
    }
    return true;
  }
  if (key != VkTab) return false;
  mapKey_ = key;
  // What the buttons were doing ends here, so that nothing paints under the map.
  Editor.LeftButtonDown = Editor.RightButtonDown = false;
  Editor.History.EndStroke();
  Editor.RectangleFrom.reset();
  Editor.Grabbed.reset();
  Editor.MapOpen = true;
  return true;
}

// A left click on the map centres the view on the cell there, as far as the camera
// goes, and closes the map. Every press is used up while the map is open.
bool Game::LevelMapMouseDown(MouseButton button, int32_t x, int32_t y) {
  if (!Editor.MapOpen) return false;
  const std::optional<GridCell> cell = LevelMapCellAt(x, y);
  if (button != MouseButton::Left || !cell) return true;
  Level.CameraX = cell->Column * CellWidth + CellWidth / 2 - ViewWidth / 2;
  Level.CameraY = cell->Row * CellHeight + CellHeight / 2 - EditorToolbarTop / 2;
  ClampViewCamera();
  Editor.MapOpen = false;
  return true;
}

// The map in the look the editor draws the level in.
void Game::DrawLevelMapCard() {
  DrawPlusPanel(display_, PanelLeft, PanelTop, PanelWidth, PanelHeight);
  display_.OutlineRect(MapLeft - 1, MapTop - 1, MapSize + 2, MapSize + 2, palette::Grey);  // the world's edge
  DrawLevelMap(display_, MapLeft, MapTop, MapSize, MapFrame{}, LevelOnMap(Level), ViewTheme());
  // The view above the toolbar: white inside a dark line, seen on sky and rock alike.
  const int left = MapLeft + Level.CameraX * MapScale / CellWidth;
  const int top = MapTop + Level.CameraY * MapScale / CellHeight;
  const int width = ViewWidth * MapScale / CellWidth, height = EditorToolbarTop * MapScale / CellHeight;
  display_.OutlineRect(left - 1, top - 1, width + 2, height + 2, palette::PanelFill);
  display_.OutlineRect(left, top, width, height, palette::White);
  const int hintWidth = CanvasAdvance * static_cast<int>(std::strlen(Hint));
  display_.DrawCanvasText((ViewWidth - hintWidth) / 2, MapTop + MapSize + 1, Hint);
}

}  // namespace tobu
