// The flow between screens under tobu plus: "Next level" on the results menu and R
// restarting a level at once. The runs themselves are the classic game's.
#include "present/bitmap_text.h"
#include "present/sheets.h"
#include "shell/game.h"

namespace tobu {

bool Game::RestartRun() {
  const bool inRun = Mode == GameMode::game && !PlayTest.Active;
  if (!Plus || WatchingReplay() || !(inRun || Mode == GameMode::GameMenu)) return false;
  StartRun(LevelIndex);
  return true;
}

// Rows: "Next level", "Play again", "Best times".
void Game::PlusGameMenuKeyDown(uint16_t key) {
  if (key == VkDown && MenuCursor < 2) ++MenuCursor;
  if (key == VkUp && MenuCursor > 0) --MenuCursor;
  if (key == VkReturn && MenuCursor == 0 && LevelFiles.Count() > 0) {
    // The last level goes on to the first: the list is a round.
    LevelIndex = (LevelIndex + 1) % LevelFiles.Count();
    ClampListPosition();
    StartRun(LevelIndex);
  } else if (key == VkReturn && MenuCursor == 1) {
    StartRun(LevelIndex);
  } else if (key == VkReturn && MenuCursor == 2 && !Best.BestNames[1].empty()) {
    Mode = GameMode::TopTen;
  }
  if (key == VkEscape) {
    MenuCursor = LevelIndex - ListTop;
    Mode = GameMode::SelectLevel;
  }
}

void Game::DrawPlusGameMenuRows() {
  ShowString(display_, 260, 140, "Next level");
  ShowString(display_, 260, 170, "Play again");
  ShowString(display_, 260, 200, "Best times");
  display_.DrawFrame(SheetHelmet, 224, 130 + 30 * MenuCursor, Anim.ObjectFrame[ObjectExit]);
  display_.DrawCanvasText(200, 240, "R plays the level again at once");
}

}  // namespace tobu
