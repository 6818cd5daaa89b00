// The flow between screens under tobu plus: "Next level" on the results menu and R
// restarting a level at once. The runs themselves are the classic game's.
#include <functional>
#include <utility>

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

void Game::Ask(Question question) {
  if (question.Answers.empty()) return;
  OpenQuestion = std::move(question);
}

// The key that answers is used up: it types nothing and reaches no screen.
void Game::AnswerQuestion(uint16_t key) {
  dropCharacter_ = true;
  const std::optional<Answer> answer = AnswerForKey(*OpenQuestion, key);
  if (!answer) return;
  const std::function<void(Answer)> then = std::move(OpenQuestion->Then);
  OpenQuestion.reset();
  if (then) then(*answer);
}

// Escape on the first menus: plus asks before the game ends.
void Game::AskOrClose() {
  if (!Plus) return Close();
  Ask(YesNoQuestion(
      "Quit tobu?",
      [this](Answer answer) {
        if (answer == Answer::Yes) Close();
      },
      /*yesFirst=*/true));
}

// Delete on a level: plus asks before the best times are lost.
void Game::AskOrErase(int entry) {
  if (!Plus) return EraseBestTimes(entry);
  if (entry < 0 || entry >= LevelFiles.Count()) return;
  Ask(YesNoQuestion("Erase the best times of " + LevelTitle(LevelFiles.Items[entry]) + "?",
                    [this, entry](Answer answer) {
                      if (answer == Answer::Yes) EraseBestTimes(entry);
                    }));
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
  display_.DrawFrame(SheetHelmet, 224, 130 + 30 * MenuCursor, Anim.ExitFrame);
  display_.DrawCanvasText(200, 240, "R plays the level again at once");
}

}  // namespace tobu
