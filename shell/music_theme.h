#pragma once
#include "shell/game.h"

namespace tobu {

// The look whose tune a run plays: in plus a shipped level's, from its start to its
// results; the first look otherwise (and always in classic).
int MusicTheme(const Game& game);

}  // namespace tobu
