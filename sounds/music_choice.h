#pragma once
#include <array>

#include "assets/music/score.h"
#include "present/themes.h"
#include "shell/game_mode.h"

namespace tobu {

// A run's tune in each look of plus, in the themes' order: the first look's is the game's own.
inline constexpr std::array<music::PieceId, ThemeCount> RunPieces = {
    music::PieceId::Run, music::PieceId::DuskRun, music::PieceId::CaveRun, music::PieceId::SnowRun};

// The piece for where the player is: a run (and its pause menu) in its look's tune, the
// editor, or the menus. Classic always plays its run in the first look.
inline const music::Piece& MusicFor(GameMode mode, int runTheme = ThemeMeadow) {
  switch (mode) {
    case GameMode::game:
    case GameMode::GameMenu:
      return music::ScoreOf(runTheme > 0 && runTheme < ThemeCount ? RunPieces[static_cast<size_t>(runTheme)]
                                                                  : music::PieceId::Run);
    case GameMode::editor:
    case GameMode::PlayTestResult:
      return music::ScoreOf(music::PieceId::Editor);
    default:
      return music::ScoreOf(music::PieceId::Menus);
  }
}

}  // namespace tobu
