#pragma once
#include <vector>

#include "events/game_events.h"

namespace tobu {

// The sounds to start for the events of one tick: each event's once, and no `finish`
// beside `best` or `topten`, whose fanfares stand for it.
std::vector<GameEvent> SoundsToPlay(const std::vector<GameEvent>& events);

}  // namespace tobu
