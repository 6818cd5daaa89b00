#pragma once
#include "shell/game.h"

namespace tobu {

// The look whose tune a run plays: in plus a shipped level's, from its start to its
// results, or in a play-test the look of the editor's level; the first look otherwise
// (and always in classic).
int MusicTheme(const Game& game);
// The mode whose music plays: the game's, except that plus's play-test card keeps the
// run's tune, so that R or F5 goes on with it instead of starting it over.
GameMode MusicMode(const Game& game);

}  // namespace tobu
