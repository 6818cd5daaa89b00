#include "sounds/sound_choice.h"

#include <algorithm>

namespace tobu {

std::vector<GameEvent> SoundsToPlay(const std::vector<GameEvent>& events) {
  const auto has = [&](GameEvent event) {
    return std::find(events.begin(), events.end(), event) != events.end();
  };
  const bool fanfare = has(GameEvent::Best) || has(GameEvent::TopTen);
  std::vector<GameEvent> sounds;
  for (const GameEvent event : events) {
    if (event == GameEvent::Finish && fanfare) continue;
    if (std::find(sounds.begin(), sounds.end(), event) == sounds.end()) sounds.push_back(event);
  }
  return sounds;
}

}  // namespace tobu
