#pragma once
#include <SDL_mixer.h>

#include <array>
#include <vector>

#include "events/game_events.h"

namespace tobu {

// The game's sounds through SDL2_mixer: one channel per event, so sounds of different
// events overlap and a new one of an event cuts its previous instance. Without an
// audio device the game stays silent, saying so once on standard error.
class Audio {
 public:
  // Needs SDL initialised; opens the audio subsystem and the device itself.
  Audio();
  ~Audio();
  Audio(const Audio&) = delete;
  Audio& operator=(const Audio&) = delete;

  // Starts the sounds of one tick's events; returns at once, the mixer plays them.
  void Play(const std::vector<GameEvent>& events);
  // Sound off stops what is playing and plays nothing until switched on again.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  // 0 (silent) to 100 (as generated).
  void SetVolume(int percent);
  bool DeviceOpen() const { return open_; }

 private:
  bool open_ = false;
  bool enabled_ = true;
  std::array<Mix_Chunk*, GameEventCount> chunks_{};
};

}  // namespace tobu
