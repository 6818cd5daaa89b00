#include "shell/music_theme.h"

#include "present/themes.h"

namespace tobu {

int MusicTheme(const Game& game) {
  // The editor's play-test, its card too, plays the tune of the look the editor shows.
  if (game.Plus && game.PlayTest.Active) return LevelTheme(game.Editor.LevelName + ".vel");
  const bool inRun = game.Mode == GameMode::game || game.Mode == GameMode::GameMenu;
  if (!game.Plus || !inRun) return ThemeMeadow;
  return LevelTheme(game.WatchingReplay() ? game.Replays.Watch.Record.LevelFile : game.Replays.LevelFile);
}

GameMode MusicMode(const Game& game) {
  return game.Plus && game.Mode == GameMode::PlayTestResult ? GameMode::game : game.Mode;
}

}  // namespace tobu
