#pragma once

namespace tobu {

enum class GameMode { SelectPlayer, CreateNewPlayer, MainMenu, SelectLevel, game, GameMenu, TopTen, editor, PlayTestResult };

// The mode's name in the game's vocabulary ("SelectPlayer", "game", ...).
const char* ModeName(GameMode mode);

} // namespace tobu
