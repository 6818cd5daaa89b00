#include "shell/known_name.h"

namespace tobu {

std::string KnownPlayerHint(const PlayerRoster& roster, const std::string& typed) {
  if (typed.empty() || FindPlayer(roster, typed) == 0) return "";
  return typed + " is already a player: Return plays as " + typed;
}

}  // namespace tobu
