#pragma once
#include <string>

#include "shell/roster.h"

namespace tobu {

// Plus's new-name field, while the name typed is already a player's: a line saying that
// Return plays under that name (whose best times are the player's); "" while it is no
// player's. The name screen's rules stay: this only says what Return will do.
std::string KnownPlayerHint(const PlayerRoster& roster, const std::string& typed);

}  // namespace tobu
