#pragma once
#include "assets/music/score.h"
#include "shell/game_mode.h"

namespace tobu {

// The piece for where the player is: a run (and its pause menu), the editor, or the menus.
inline const music::Piece& MusicFor(GameMode mode) {
  switch (mode) {
    case GameMode::game:
    case GameMode::GameMenu:
      return music::ScoreOf(music::PieceId::Run);
    case GameMode::editor:
    case GameMode::PlayTestResult:
      return music::ScoreOf(music::PieceId::Editor);
    default:
      return music::ScoreOf(music::PieceId::Menus);
  }
}

}  // namespace tobu
