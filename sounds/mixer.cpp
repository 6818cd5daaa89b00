#include "sounds/mixer.h"

#include <algorithm>
#include <cmath>

#include "sounds/embedded_sounds.h"
#include "sounds/sound_choice.h"

namespace tobu {
namespace {

constexpr double Headroom = 0.71;         // -3 dB: two loud effects together stay linear
constexpr double Ceiling = 0.891;         // -1 dBFS, the most the limiter lets through
constexpr double Release = 0.99972;       // the limiter recovers over about 80 ms
constexpr double Ducked = 0.5;            // the music's gain under a fanfare (-6 dB)
constexpr double DuckStep = 1.0 / 2205;   // 50 ms from full to ducked or back
constexpr double FadeStep = 1.0 / 13230;  // 300 ms fade between pieces

// The samples of one of the game's own WAV files (16-bit mono PCM, a 44-byte header).
std::vector<float> Decode(std::span<const unsigned char> file) {
  std::vector<float> samples;
  if (file.size() < 44 || !std::equal(file.begin() + 36, file.begin() + 40, "data")) return samples;
  for (size_t at = 44; at + 1 < file.size(); at += 2)
    samples.push_back(static_cast<int16_t>(file[at] | file[at + 1] << 8) / 32768.0f);
  return samples;
}

bool IsFanfare(int event) {
  return event == static_cast<int>(GameEvent::Best) || event == static_cast<int>(GameEvent::TopTen);
}

}  // namespace

Mixer::Mixer() {
  for (int i = 0; i < GameEventCount; ++i) effects_[static_cast<size_t>(i)] = Decode(EmbeddedSoundFile(i));
}

void Mixer::Play(const std::vector<GameEvent>& events) {
  for (const GameEvent event : SoundsToPlay(events)) voices_[static_cast<size_t>(event)] = {0, true};
}

void Mixer::Stop() {
  voices_ = {};
  stream_.reset();
  streamPiece_ = nullptr;
  fade_ = 0.0;
}

void Mixer::SetEffectsVolume(int percent) { effectsVolume_ = std::clamp(percent, 0, 100); }
void Mixer::SetMusicVolume(int percent) { musicGain_ = std::clamp(percent, 0, 100) / 100.0; }
void Mixer::SetMusic(const music::Piece* piece) { piece_ = piece; }

int Mixer::Playing() const {
  return static_cast<int>(
      std::count_if(voices_.begin(), voices_.end(), [](const EffectVoice& v) { return v.Playing; }));
}

void Mixer::Mix(std::span<int16_t> out) {
  musicBlock_.assign(out.size(), 0.0f);
  if (streamPiece_ != piece_ && fade_ <= 0.0) {  // the last piece has faded: start the new one
    stream_ = piece_ != nullptr ? std::make_unique<music::MusicStream>(*piece_) : nullptr;
    streamPiece_ = piece_;
  }
  if (stream_ && musicGain_ > 0.0) stream_->Render(musicBlock_);  // a silent piece waits
  bool fanfare = false;
  for (int i = 0; i < GameEventCount; ++i) fanfare |= IsFanfare(i) && voices_[static_cast<size_t>(i)].Playing;
  for (size_t n = 0; n < out.size(); ++n) {
    double effects = 0.0;
    for (size_t i = 0; i < effects_.size(); ++i) {
      EffectVoice& voice = voices_[i];
      if (!voice.Playing) continue;
      effects += effects_[i][voice.Position];
      voice.Playing = ++voice.Position < effects_[i].size();
    }
    fade_ = std::clamp(fade_ + (streamPiece_ == piece_ ? FadeStep : -FadeStep), 0.0, 1.0);
    duck_ = std::clamp(duck_ + (fanfare ? -DuckStep : DuckStep), Ducked, 1.0);
    const double sum =
        Headroom * (effectsVolume_ / 100.0 * effects + musicGain_ * fade_ * duck_ * musicBlock_[n]);
    largestBeforeLimit_ = std::max(largestBeforeLimit_, std::fabs(sum));
    // A peak limiter with an instant attack: the gain never lets a sample past the ceiling.
    envelope_ = std::max(std::fabs(sum), envelope_ * Release);
    const double limited = envelope_ > Ceiling ? sum * Ceiling / envelope_ : sum;
    out[n] = static_cast<int16_t>(std::lrint(limited * 32767.0));
  }
}

}  // namespace tobu
