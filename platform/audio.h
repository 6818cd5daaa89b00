#pragma once
#include <SDL.h>

#include <vector>

#include "events/game_events.h"
#include "shell/game_mode.h"
#include "sounds/mixer.h"

namespace tobu {

// The game's sounds and music through one SDL audio device, mixed by the game's own
// mixer in SDL's callback. Without an audio device the game stays silent, saying so
// once on standard error.
class Audio {
 public:
  // Needs SDL initialised; opens the audio subsystem and the device itself.
  Audio();
  ~Audio();
  Audio(const Audio&) = delete;
  Audio& operator=(const Audio&) = delete;

  // Starts the sounds of one tick's events, those of the run at `place` (sounds/stereo_place.h);
  // returns at once, the device plays them.
  void Play(const std::vector<GameEvent>& events, Pan place = {});
  // The music for where the player is; a run's in the look `runTheme` (shell/music_theme.h);
  // in plus ducking under a run's sounds.
  void FollowMode(GameMode mode, int runTheme, bool plus);
  // Sound off stops what is playing (music too) and plays nothing until switched on again.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  // 0 (silent) to 100 (as generated), the effects and the music apart.
  void SetVolume(int percent);
  void SetMusicVolume(int percent);
  bool DeviceOpen() const { return device_ != 0; }
  // Frames in each of the device's buffers: a sound waits at most this long to start.
  int BufferFrames() const { return bufferFrames_; }
  // The effects sounding now (of one event, or of all); the effects' volume.
  int Playing(GameEvent event) const;
  int Playing() const;
  int Volume() const;

 private:
  static void Fill(void* self, Uint8* stream, int bytes);

  SDL_AudioDeviceID device_ = 0;
  int bufferFrames_ = 0;
  bool enabled_ = true;
  GameMode mode_ = GameMode::SelectPlayer;
  int runTheme_ = 0;
  bool plus_ = false;
  Mixer mixer_;
  bool realtime_ = false;  // the device's thread has asked for realtime priority
};

}  // namespace tobu
