// sounds/: the embedded sound effects, the music, the mixer and which of a tick's events
// sound. Includes events/, shell/game_mode.h, present/themes.h and assets/music/; never a device.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "assets/music/music_stream.h"
#include "events/game_events.h"
#include "sounds/stereo_place.h"

namespace tobu {

// The game's one mixing stage, the same wherever it plays: a voice per event (a new
// sound of an event cuts its last one) and the music, summed with headroom through a
// peak limiter, so that no sample ever reaches full scale. The music ducks under the
// fanfares and changes piece with a short fade.
class Mixer {
 public:
  // Decodes the embedded effects.
  Mixer();

  // Starts the sounds of one tick's events; those with a place (SoundHasPlace) at `place`.
  void Play(const std::vector<GameEvent>& events, Pan place = {});
  // Silences everything at once (sound off).
  void Stop();
  // 0 (silent) to 100 (as generated).
  void SetEffectsVolume(int percent);
  void SetMusicVolume(int percent);
  // The piece to play from now on; none for silence. A change fades the last one out.
  void SetMusic(const music::Piece* piece);
  // Plus: the music ducks under a run's eating, opening, locked daisy and death too, quickly,
  // so that they stand out over it as the fanfares do; the jump is lifted over it instead.
  void DuckUnderRunSounds(bool on) { duckUnderRunSounds_ = on; }

  // The next frames, 16-bit: one sample each, both sides averaged; or left and right
  // interleaved. With every sound centred both sides are the mono samples exactly.
  void Mix(std::span<int16_t> mono);
  void MixStereo(std::span<int16_t> leftRight);
  // How many effects sound now; whether one event's does.
  int Playing() const;
  bool Playing(GameEvent event) const { return voices_[static_cast<size_t>(event)].Playing; }
  int EffectsVolume() const { return effectsVolume_; }
  // The largest magnitude that reached the limiter so far (1.0 is full scale).
  double LargestBeforeLimit() const { return largestBeforeLimit_; }

 private:
  struct EffectVoice {
    size_t Position = 0;
    bool Playing = false;
    Pan Gains;
  };
  struct Frame {
    double Left, Right;  // limited, 1.0 is full scale
  };
  void BeginBlock(size_t frames);
  Frame NextFrame(size_t n);
  std::array<std::vector<float>, GameEventCount> effects_;
  std::array<EffectVoice, GameEventCount> voices_;
  int effectsVolume_ = 100;
  double musicGain_ = 1.0;
  const music::Piece* piece_ = nullptr;         // what should play
  std::unique_ptr<music::MusicStream> stream_;  // what plays
  const music::Piece* streamPiece_ = nullptr;
  double fade_ = 0.0;      // the playing piece's fade in/out, 0..1
  double duck_ = 1.0;      // under the fanfares
  double envelope_ = 0.0;  // the limiter's peak follower
  double largestBeforeLimit_ = 0.0;
  bool duckUnderRunSounds_ = false;
  double duckStep_ = 0.0;  // in this block: down while a sound ducks the music, else up
  std::vector<float> musicBlock_;
};

}  // namespace tobu
