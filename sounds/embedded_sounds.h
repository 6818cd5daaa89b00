#pragma once
#include <span>

#include "events/game_events.h"

namespace tobu {

// The WAV file embedded for the index-th event (generated from assets/sounds).
std::span<const unsigned char> EmbeddedSoundFile(int index);

// The sound of an event: a 16-bit mono WAV file at 44,100 Hz, empty if there is none.
inline std::span<const unsigned char> EventSound(GameEvent event) {
  return EmbeddedSoundFile(static_cast<int>(event));
}

}  // namespace tobu
