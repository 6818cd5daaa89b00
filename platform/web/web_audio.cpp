#include "platform/web/web_audio.h"

#include <emscripten.h>

#include <algorithm>

#include "sounds/embedded_sounds.h"
#include "sounds/mix_rules.h"
#include "sounds/music_choice.h"
#include "sounds/sound_choice.h"

namespace {

// About 93 ms of music a block; the page keeps up to three ahead of what it plays.
constexpr size_t MusicBlockSamples = 4096;
constexpr double MusicAheadSeconds = 0.25;

// clang-format off
EM_JS(void, tobu_sound_load, (int index, const unsigned char* bytes, int size), {
  TobuSound.load(index, HEAPU8.slice(bytes, bytes + size).buffer);
});
EM_JS(void, tobu_sound_play, (int index, double lift, double duckIn, double duckOut, double ducked), {
  TobuSound.play(index, lift, duckIn, duckOut, ducked);
});
EM_JS(void, tobu_sound_stop_all, (), { TobuSound.stopAll(); });
EM_JS(void, tobu_sound_volume, (double gain), { TobuSound.setVolume(gain); });
EM_JS(void, tobu_music_volume, (double gain), { TobuSound.setMusicVolume(gain); });
EM_JS(double, tobu_music_ahead, (), { return TobuSound.musicAhead(); });
EM_JS(void, tobu_music_queue, (const float* samples, int count), {
  TobuSound.queueMusic(HEAPF32.slice(samples >> 2, (samples >> 2) + count));
});
// clang-format on

}  // namespace

namespace tobu {

WebAudio::WebAudio() : piece_(&MusicFor(GameMode::SelectPlayer)) {
  for (int i = 0; i < GameEventCount; ++i) {
    const std::span<const unsigned char> file = EmbeddedSoundFile(i);
    if (!file.empty()) tobu_sound_load(i, file.data(), static_cast<int>(file.size()));
  }
}

WebAudio::~WebAudio() = default;

// Each sound with the desktop mixer's lift and the duck it puts the music in (seconds down
// to mix::Ducked, 0 for none, and seconds back up once it ends).
void WebAudio::Play(const std::vector<GameEvent>& events) {
  if (!enabled_ || events.empty()) return;
  for (const GameEvent event : SoundsToPlay(events)) {
    const double speed = mix::DuckSpeed(event, plus_);
    tobu_sound_play(static_cast<int>(event), mix::EffectLift(event, plus_),
                    speed > 0.0 ? mix::DuckSeconds(speed) : 0.0, mix::DuckSeconds(mix::DuckStep),
                    mix::Ducked);
  }
}

// A change of screen that keeps the tune (menu to menu, a run to its results) goes on
// with it instead of starting it over.
void WebAudio::FollowMode(GameMode mode, int runTheme, bool plus) {
  plus_ = plus;
  const music::Piece* wanted = &MusicFor(mode, runTheme);
  if (wanted == piece_) return;
  piece_ = wanted;
  if (!music_ || !enabled_ || tobu_music_ahead() < 0.0) return;
  // The last piece fades out over one block; the new one starts after it.
  block_.resize(MusicBlockSamples);
  music_->Render(block_);
  for (size_t i = 0; i < block_.size(); ++i)
    block_[i] *= static_cast<float>(block_.size() - i) / static_cast<float>(block_.size());
  tobu_music_queue(block_.data(), static_cast<int>(block_.size()));
  music_.reset();
}

void WebAudio::FeedMusic() {
  if (!enabled_) return;
  // A negative answer: the page cannot play yet, so nothing is made ahead of it.
  for (double ahead = tobu_music_ahead(); ahead >= 0.0 && ahead < MusicAheadSeconds;
       ahead += static_cast<double>(MusicBlockSamples) / 44100.0) {
    if (!music_) music_ = std::make_unique<music::MusicStream>(*piece_);
    block_.resize(MusicBlockSamples);
    music_->Render(block_);
    tobu_music_queue(block_.data(), static_cast<int>(block_.size()));
  }
}

void WebAudio::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled_) {
    tobu_sound_stop_all();
    music_.reset();
  }
}

void WebAudio::SetVolume(int percent) { tobu_sound_volume(std::clamp(percent, 0, 100) / 100.0); }
void WebAudio::SetMusicVolume(int percent) { tobu_music_volume(std::clamp(percent, 0, 100) / 100.0); }

}  // namespace tobu
