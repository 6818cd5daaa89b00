// Plus's pointer tools in the editor: the wheel scrolls the view (Shift turns it
// sideways), a middle drag pulls it along, and Shift with a left drag paints a
// rectangle of cells (with a right drag, erases it).
#include <algorithm>

#include "editor/rectangle.h"
#include "shell/game.h"
#include "shell/key_event_watch.h"

namespace tobu {
namespace {

constexpr int WheelCells = 3;         // cells a notch scrolls
constexpr int32_t MostNotches = 100;  // more than the world is wide, and no overflow

}  // namespace

// The camera stops where the arrows' scrolling stops. In the Save or Open dialog a notch
// moves the list's pick a name.
void Game::MouseWheel(int32_t Dx, int32_t Dy) {
  if (!Plus || Mode != GameMode::editor || OpenQuestion) return;
  if (Editor.PromptOpen()) return StepDialogList(std::clamp(Dy, -MostNotches, MostNotches));
  if (KeyHeld[VkShift]) {
    Dx += Dy;
    Dy = 0;
  }
  Level.CameraX += std::clamp(Dx, -MostNotches, MostNotches) * WheelCells * CellWidth;
  Level.CameraY += std::clamp(Dy, -MostNotches, MostNotches) * WheelCells * CellHeight;
  ClampViewCamera();
}

// A middle press grabs the world under the pointer. A pointer outside the frame (a
// letterboxed window) counts as at its edge.
void Game::GrabView(int32_t x, int32_t y) {
  if (Editor.PromptOpen()) return;
  Editor.Grabbed =
      WorldPixel{Level.CameraX + std::clamp(x, 0, ViewWidth), Level.CameraY + std::clamp(y, 0, ViewHeight)};
}

// The grabbed pixel back under the pointer, as far as the camera goes. True while the
// view is held.
bool Game::DragView(int32_t x, int32_t y) {
  if (!Editor.Grabbed || Editor.PromptOpen() || OpenQuestion) return false;
  Level.CameraX = Editor.Grabbed->X - std::clamp(x, 0, ViewWidth);
  Level.CameraY = Editor.Grabbed->Y - std::clamp(y, 0, ViewHeight);
  ClampViewCamera();
  return true;
}

// A left or right press with Shift held begins a rectangle; false leaves the press a
// plain click. The other button, pressed while a rectangle is dragged, does nothing.
bool Game::BeginPlusRectangle(MouseButton button, int32_t x, int32_t y) {
  if (Editor.RectangleFrom) return true;
  return !Editor.PromptOpen() && KeyHeld[VkShift] && BeginRectangle(Editor, Level, button, x, y);
}

// The far corner is never under the toolbar, which hides the cells there. A release
// under a question or a dialog, or in another mode, paints nothing.
void Game::EndPlusRectangle(int32_t x, int32_t y) {
  if (Mode != GameMode::editor || Editor.PromptOpen() || OpenQuestion) return Editor.RectangleFrom.reset();
  ReportEditorChange(Events, EndRectangle(Editor, Level, x, std::min(y, EditorToolbarTop - 1)));
}

}  // namespace tobu
