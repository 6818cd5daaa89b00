// Plus's menus under the mouse: the pointer over a row moves the menu cursor there as Up
// and Down would, over a question's answer it highlights it; the level list's arrows
// scroll it. Classic's menus ignore the mouse.
#include <algorithm>

#include "shell/game.h"
#include "shell/menu_layout.h"
#include "shell/menu_rows.h"

namespace tobu {

bool Game::PointAtMenu(int32_t x, int32_t y) {
  if (!Plus || WatchingReplay()) return false;
  if (OpenQuestion) {
    const std::optional<size_t> answer = AnswerAt(*OpenQuestion, x, y);
    if (answer) OpenQuestion->Highlighted = *answer;
    return answer.has_value();
  }
  // The held picture after a run, and the ending's card, hide the results' rows.
  if (Ending || PlusView.InMoment()) return false;
  const int32_t row = MenuRowAt(*this, x, y);
  if (row < 0) return false;
  if (row != MenuCursor) {
    MenuCursor = row;
    if (Mode == GameMode::SelectLevel) LevelIndex = ListTop + row;
    Events.Push(GameEvent::Move);
  }
  return true;
}

// The list moves by `rows`; the highlighted level stays highlighted while it is shown.
void Game::ScrollLevelList(int32_t rows) {
  const int32_t top = std::clamp(ListTop + rows, 0, std::max(0, LevelFiles.Count() - LevelListRows));
  if (top == ListTop) return;
  ListTop = top;
  MenuCursor = std::clamp(LevelIndex - ListTop, 0, LevelListRows - 1);
  LevelIndex = ListTop + MenuCursor;
  Events.Push(GameEvent::Move);
}

bool Game::PlusMenuMouseDown(MouseButton button, int32_t y) {
  const int32_t arrow = button == MouseButton::Left ? ListArrowAt(*this, y) : 0;
  if (arrow != 0) ScrollLevelList(arrow);
  return arrow != 0;
}

}  // namespace tobu
