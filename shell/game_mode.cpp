#include "shell/game_mode.h"

namespace tobu {

const char* ModeName(GameMode mode) {
  switch (mode) {
    case GameMode::SelectPlayer: return "SelectPlayer";
    case GameMode::CreateNewPlayer: return "CreateNewPlayer";
    case GameMode::MainMenu: return "MainMenu";
    case GameMode::SelectLevel: return "SelectLevel";
    case GameMode::game: return "game";
    case GameMode::GameMenu: return "GameMenu";
    case GameMode::TopTen: return "TopTen";
    case GameMode::editor: return "editor";
    case GameMode::PlayTestResult: return "PlayTestResult";
  }
  return "?";
}

} // namespace tobu
