// tobu plus on the player list: Delete takes the highlighted player out of the roster
// (after a question), F4 gives them a new name. Best times are stored by name in the
// level files and stay as they are: a deleted player's times stay on the tables, and a
// renamed player's keep the old name.
#include <algorithm>
#include <string>
#include <utility>

#include "present/bitmap_text.h"
#include "present/meadow_scene.h"
#include "present/plus_palette.h"
#include "present/plus_panel.h"
#include "present/sheets.h"
#include "shell/game.h"
#include "shell/menu_layout.h"

namespace tobu {

bool Game::PlusSelectPlayerKeyDown(uint16_t key) {
  const int index = MenuCursor;
  if (index < 1 || index > Players.PlayerCount) return false;
  if (key == VkDelete) {
    AskDeletePlayer(index);
  } else if (key == VkF4) {
    Mode = GameMode::CreateNewPlayer;
    Rename = {index, Players.PlayerNames[index]};
    NameFieldHint = nullptr;
  } else {
    return false;
  }
  return true;
}

// The rows further apart than classic's, the highlighted one on a band that stops short
// of where its neighbours' would be.
void Game::DrawPlusSelectPlayer() {
  const MenuRows rows = PlusPlayerRows(Players.PlayerCount);
  const MenuColumns band = PlusPlayerColumns;
  display_.FillRect(band.Left, rows.BandTop(MenuCursor), band.Right - band.Left, rows.Spacing - PlusBandGap,
                    palette::Highlight);
  ShowString(display_, PlayerTextLeft, rows.TextTop(0), "Create New Player");
  for (int i = 1; i <= Players.PlayerCount; ++i)
    ShowString(display_, PlayerTextLeft, rows.TextTop(i), Players.PlayerNames[i]);
  display_.DrawFrame(SheetHelmet, PlayerTextLeft - 36, rows.PointerTop(MenuCursor),
                     Anim.ObjectFrame[ObjectExit]);
  const bool back = playersFromMenu_ && ChosenPlayerIndex > 0;  // as Escape decides
  display_.DrawCanvasText(
      58, MenuHintsTop,
      std::string("Up and Down choose, Return takes    Delete deletes    F4 renames    ") +
          "F1 help    Escape " + (back ? "back" : "quits"));
}

// Escape: plus goes back to the main menu the list was reached from, the same player
// chosen; at the start, or once the chosen player is deleted, there is none to go back to.
void Game::LeavePlayers() {
  const int chosen = ChosenPlayerIndex;
  if (!Plus || !playersFromMenu_ || chosen < 1 || chosen > Players.PlayerCount) return AskOrClose();
  Mode = GameMode::MainMenu;
  playersFromMenu_ = false;
  Players.PlayerName = Players.PlayerNames[chosen];
  MenuCursor = 2;  // "Players" stays highlighted
  EnterLevelsDirectory();
}

void Game::AskDeletePlayer(int index) {
  Question question =
      YesNoQuestion("Delete player " + Players.PlayerNames[index] + "?", [this, index](Answer answer) {
        if (answer == Answer::Yes) DeletePlayer(index);
      });
  question.Detail = "Best times stay.";
  Ask(std::move(question));
}

// The cursor stays on the row, which now shows the next player (or the new last one).
// Deleting the current player leaves none chosen, as at the start.
void Game::DeletePlayer(int index) {
  const int32_t was = ChosenPlayerIndex;
  if (was == index) Players.PlayerName.clear();
  const int32_t chosen = was == index ? 0 : was - (was > index ? 1 : 0);
  RemovePlayer(Players, index);
  MenuCursor = std::min<int32_t>(MenuCursor, Players.PlayerCount);
  WriteRosterFile(chosen);
}

// The new name in the same place; a name another player has is refused as a character
// no name takes is.
void Game::RenamePlayer() {
  const int other = FindPlayer(Players, Rename.Name);
  if (other != 0 && other != Rename.Index) {
    NameFieldHint = TakenNameHint;
    return Events.Push(GameEvent::Error);
  }
  if (Rename.Index == ChosenPlayerIndex && !Players.PlayerName.empty()) Players.PlayerName = Rename.Name;
  Players.PlayerNames[Rename.Index] = Rename.Name;
  LeaveRename();
  WriteRosterFile(ChosenPlayerIndex);
}

// Back to the list on the renamed player; the Escape that may have left must not ask.
void Game::LeaveRename() {
  if (Rename.Index == 0) return;
  Mode = GameMode::SelectPlayer;
  MenuCursor = Rename.Index;
  Rename = {};
  NameFieldHint = nullptr;
  backToPlayers_ = true;
}

void Game::DrawRenameField() {
  ShowString(display_, -1, 180, "New name for " + Players.PlayerNames[Rename.Index] + ":");
  DrawNameField(display_, 240, 216, 160, Rename.Name, MaxPlayerNameLength);
  const int below = 216 + NameFieldHeight + 20;
  if (NameFieldHint) DrawFieldHint(display_, 100, below, 440, NameFieldHint);
  const std::string note = "Best times keep the old name";
  // Centred as well as a width guessed at 6 pixels a character allows.
  DrawCanvasTextCentred(display_, below + FieldHintHeight + 8, note, palette::LabelGrey);
}

}  // namespace tobu
