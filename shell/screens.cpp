#include <exception>
#include <span>

#include "present/bitmap_text.h"
#include "present/plus_panel.h"
#include "present/sheets.h"
#include "shell/game.h"
#include "shell/known_name.h"
#include "shell/menu_layout.h"
#include "world/file_error.h"
#include "world/level_file.h"

namespace tobu {

// 16 x 11 copies of the 50 x 57 tile: 800 x 627 pixels, more than the view.
// Plus: the title's scene instead.
void Game::DrawWallpaper() {
  if (Plus) return DrawPlusBackdrop();
  display_.DrawFrameTiled(SheetFon, 0, 50, 57, 16, 11);
}

// The pointer stands 36 pixels left of its row's text and 10 pixels above it.
void Game::DrawSelectPlayer() {
  DrawWallpaper();
  ShowString(display_, 210, 40, "Choose Player");
  if (Plus) return DrawPlusSelectPlayer();
  ShowString(display_, PlayerTextLeft, PlayerMenuRows.TextTop(0), "Create New Player");
  for (int i = 1; i <= Players.PlayerCount; ++i)
    ShowString(display_, PlayerTextLeft, PlayerMenuRows.TextTop(i), Players.PlayerNames[i]);
  display_.DrawFrame(SheetHelmet, PlayerTextLeft - 36, PlayerMenuRows.PointerTop(MenuCursor),
                     Anim.ObjectFrame[ObjectExit]);
}

void Game::DrawCreateNewPlayer() {
  DrawWallpaper();
  if (Plus && Rename.Index != 0) return DrawRenameField();
  ShowString(display_, 140, 180, "Please enter your name:");
  // Plus: the name in a field with a caret, and how many of its letters are left; under
  // it why a key was refused, or else whose name it already is.
  if (Plus) {
    DrawNameField(display_, 240, 216, 160, Players.PlayerName, MaxPlayerNameLength);
    const std::string hint = NameFieldHint ? NameFieldHint : KnownPlayerHint(Players, Players.PlayerName);
    if (!hint.empty()) DrawFieldHint(display_, 100, 216 + NameFieldHeight + 20, 440, hint);
    return;
  }
  ShowString(display_, -1, 220, Players.PlayerName + "_");
}

void Game::DrawMainMenu() {
  DrawWallpaper();
  ShowString(display_, -1, 40, "Main Menu");
  ShowString(display_, MainMenuTextLeft, MainMenuRows.TextTop(0), "Play");
  ShowString(display_, MainMenuTextLeft, MainMenuRows.TextTop(1), "Editor");
  if (Plus) DrawPlusMainMenu();
  display_.DrawFrame(SheetHelmet, MainMenuTextLeft - 36, MainMenuRows.PointerTop(MenuCursor),
                     Anim.ObjectFrame[ObjectExit]);
}

void Game::DrawSelectLevel() {
  DrawWallpaper();
  if (Plus) return DrawPlusSelectLevel();
  ShowString(display_, -1, 40, "Select Level!");
  const int32_t count = LevelFiles.Count();
  for (int32_t i = 0; i < LevelListRows && i <= count - 1 && ListTop + i < count; ++i) {
    ShowString(display_, 260, LevelMenuRows.TextTop(i), LevelFiles.Items[ListTop + i]);
  }
  display_.DrawFrame(SheetHelmet, 224, LevelMenuRows.PointerTop(MenuCursor), Anim.ObjectFrame[ObjectExit]);
}

void Game::DrawGameMenu() {
  DrawWallpaper();
  const bool listed = LevelIndex >= 0 && LevelIndex < LevelFiles.Count();
  const std::string name = !listed ? std::string()
                           : Plus  ? LevelTitle(LevelFiles.Items[LevelIndex])
                                   : LevelFiles.Items[LevelIndex];
  if (Plus) return DrawPlusGameMenu(name);
  ShowString(display_, 200, 40, "Level: " + name);
  ShowString(display_, 260, ResultMenuRows.TextTop(0), "Play again");
  ShowString(display_, 260, ResultMenuRows.TextTop(1), "Best times");
  display_.DrawFrame(SheetHelmet, 224, ResultMenuRows.PointerTop(MenuCursor), Anim.ObjectFrame[ObjectExit]);
  std::string line;
  if (Outcome.RunFailed) {
    line = "You Failed to Finish!";
  } else if (Outcome.NewBestTime) {
    line = Outcome.ResultText + "   Best Time!";
  } else if (Outcome.InTopTen) {
    line = Outcome.ResultText + "   You Made the Top Ten";
  } else {
    line = Outcome.ResultText;
  }
  ShowString(display_, -1, 380, line);
}

// Once per finished run: the time goes into the table, and the table into the file
// of the level being played, whether or not it changed.
void Game::RankFinishedRunOnce() {
  if (Outcome.RunFailed || !Outcome.RunFinished) return;
  if (WatchingReplay()) {
    // A watched run gets its verdict against the table, which stays as it is.
    BestTimes unchanged = Best;
    RankFinishedRun(Outcome, Clock, Players.PlayerName, unchanged);
    PushRankingEvent();
    return;
  }
  RankFinishedRun(Outcome, Clock, Players.PlayerName, Best);
  PushRankingEvent();
  LevelRows.clear();
  std::exception_ptr tableError;
  bool levelUnchanged = true;
  try {
    if (LevelIndex >= 0 && LevelIndex < LevelFiles.Count()) {
      WriteBestTimes(LevelFiles.Items[LevelIndex], BestTimesOffset, Best,
                     [&](std::span<const uint8_t> levelPart) {
                       levelUnchanged = RunLevelUnchanged(levelPart);
                       return levelUnchanged;
                     });
    }
  } catch (const FileError&) {
    tableError = std::current_exception();
  }
  // The recording is kept even when the table could not be written; only the table's
  // error is shown, a replay that cannot be written is a warning.
  SaveRunRecording(levelUnchanged);
  if (tableError) std::rethrow_exception(tableError);
}

void Game::PushRankingEvent() {
  if (Outcome.NewBestTime) {
    Events.Push(GameEvent::Best);
  } else if (Outcome.InTopTen) {
    Events.Push(GameEvent::TopTen);
  }
}

void Game::DrawTopTen() {
  DrawWallpaper();
  if (Plus) return DrawPlusTopTen();
  ShowString(display_, -1, 40, "Best times");
  for (int i = 1; i <= BestPlaces; ++i) {
    if (Best.BestNames[i].empty()) continue;
    const int y = 80 + 24 * (i - 1);
    ShowString(display_, 180, y, Best.BestNames[i]);
    ShowString(display_, 360, y, StoredTimeText(Best.BestTime[i]));
  }
}

}  // namespace tobu
