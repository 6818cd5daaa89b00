#include <filesystem>

#include "shell/game.h"
#include "world/file_error.h"

namespace tobu {

void Game::SelectPlayerKeyDown(uint16_t key) {
  if (Plus && PlusSelectPlayerKeyDown(key)) return;
  if (key == VkEscape) return LeavePlayers();
  if (key == VkDown && MenuCursor < Players.PlayerCount) ++MenuCursor;
  if (key == VkUp && MenuCursor > 0) --MenuCursor;
  if (key == VkReturn && MenuCursor == 0 && Players.PlayerCount < MaxPlayers) {
    Mode = GameMode::CreateNewPlayer;
    Players.PlayerName.clear();
    NameFieldHint = nullptr;
    dropCharacter_ = Plus;  // the Return that opened the field is no empty name in it
  } else if (key == VkReturn && MenuCursor > 0 && MenuCursor <= Players.PlayerCount) {
    ChoosePlayer(MenuCursor);
  }
}

// Escape loses the name typed so far and writes nothing. Plus goes back to the players
// (on "Create New Player") and asks "Quit tobu?" only when there are none to go back to;
// a player's new name is dropped and the list shows them as they were.
void Game::CreateNewPlayerKeyDown(uint16_t key) {
  if (key != VkEscape) return;
  if (Rename.Index != 0) return LeaveRename();
  if (!Plus || Players.PlayerCount == 0) return AskOrClose();
  Mode = GameMode::SelectPlayer;
  Players.PlayerName.clear();
  backToPlayers_ = true;  // this Escape must not also ask on the players' screen
}

void Game::CreateNewPlayerKeyPress(uint8_t key) {
  if (Rename.Index != 0) {
    if (TypeIntoName(Rename.Name, key)) RenamePlayer();
    return;
  }
  if (!TypeIntoName(Players.PlayerName, key)) return;
  // Plus: two players of one name could not be told apart, nor their times.
  if (Plus && FindPlayer(Players, Players.PlayerName) != 0) {
    NameFieldHint = TakenNameHint;
    return Events.Push(GameEvent::Error);
  }
  CreatePlayer();
}

// A character the name takes, Backspace or Return; true when Return confirms a name.
bool Game::TypeIntoName(std::string& name, uint8_t key) {
  if (name.size() < MaxPlayerNameLength && AcceptedPlayerNameChar(key))
    name.push_back(static_cast<char>(key));
  NoteTypedNameChar(key, AcceptedPlayerNameChar(key), name.empty(), PlayerNameHint);
  if (key == VkBack && !name.empty()) name.pop_back();
  return key == VkReturn && !name.empty();
}

// Plus: a character no name takes, or Return with no name typed, sounds the error, and
// the field then says why until the next key; Backspace is no refusal.
void Game::NoteTypedNameChar(uint8_t key, bool accepted, bool nameEmpty, const char* charHint) {
  if (!Plus) return;
  NameFieldHint = nullptr;
  if (key >= 32 && !accepted) NameFieldHint = charHint;
  if (key == VkReturn && nameEmpty) NameFieldHint = EmptyNameHint;
  if (NameFieldHint) Events.Push(GameEvent::Error);
}

// The steps after writing the roster happen even when the write fails, so the game
// reaches the main menu and Enter can never add the same player twice; the errors are
// reported once the handler is done, each of them, in the order they happened.
void Game::ChoosePlayer(int index) {
  Mode = GameMode::MainMenu;
  playersFromMenu_ = false;
  Players.PlayerName = Players.PlayerNames[index];
  FileErrors errors;
  errors.Run([&] { WriteRosterFile(index); });
  MenuCursor = 0;
  errors.Run([&] { EnterLevelsDirectory(); });
  errors.ThrowIfAny();
}

void Game::CreatePlayer() {
  ++Players.PlayerCount;
  Players.PlayerNames[Players.PlayerCount] = Players.PlayerName;
  FileErrors errors;
  errors.Run([&] { WriteRosterFile(Players.PlayerCount); });
  Mode = GameMode::MainMenu;
  playersFromMenu_ = false;
  MenuCursor = 0;
  errors.Run([&] { EnterLevelsDirectory(); });
  errors.ThrowIfAny();
}

// The roster as the two transitions to "MainMenu" (and plus's deleting and renaming)
// write it; a failed write is kept for Close to make again.
void Game::WriteRosterFile(int32_t index) {
  ChosenPlayerIndex = index;
  UnsavedRosterIndex = index;
  WriteRoster(RosterFileName, Players, index);
  UnsavedRosterIndex.reset();
}

void Game::Close() {
  if (Closed) return;
  Closed = true;
  WriteUnsavedRoster();
}

void Game::WriteUnsavedRoster() {
  if (!UnsavedRosterIndex) return;
  const int32_t index = *UnsavedRosterIndex;
  UnsavedRosterIndex.reset();
  // The game has entered Levels since: the roster is in the folder it started in.
  const std::filesystem::path file = GameFolder.empty() ? RosterFileName : GameFolder / RosterFileName;
  try {
    WriteRoster(file.string(), Players, index);
  } catch (const FileError&) {
    throw FileError::CannotCreate(RosterFileName);
  }
}

// The levels directory below the starting one becomes the working directory for the
// rest of the process. If it cannot be entered the list shows the starting directory.
void Game::EnterLevelsDirectory() {
  std::error_code error;
  std::filesystem::current_path("Levels", error);
  LevelFiles.Read();
  if (error) throw FileError("Cannot open directory Levels");
}

}  // namespace tobu
