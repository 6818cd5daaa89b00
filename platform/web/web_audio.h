#pragma once
#include <vector>

#include "events/game_events.h"

namespace tobu {

// The game's sounds through the page's Web Audio (web_page.js): the embedded WAV files
// decoded by the browser, one voice per event, so sounds of different events overlap
// and a new one of an event cuts its previous instance. Browsers start audio only after
// the player's first key or click; until then the sounds are skipped.
class WebAudio {
 public:
  // Hands every event's WAV bytes to the page to decode.
  WebAudio();

  // Starts the sounds of one tick's events.
  void Play(const std::vector<GameEvent>& events);
  // Sound off stops what is playing and plays nothing until switched on again.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  // 0 (silent) to 100 (as generated).
  void SetVolume(int percent);

 private:
  bool enabled_ = true;
};

}  // namespace tobu
