#include "sounds/mixer.h"

#include <algorithm>
#include <cmath>

#include "sounds/embedded_sounds.h"
#include "sounds/mix_rules.h"
#include "sounds/sound_choice.h"

namespace tobu {
namespace {

constexpr double Headroom = 0.71;         // -3 dB: two loud effects together stay linear
constexpr double Ceiling = 0.891;         // -1 dBFS, the most the limiter lets through
constexpr double Release = 0.99972;       // the limiter recovers over about 80 ms
constexpr double FadeStep = 1.0 / 13230;  // 300 ms fade between pieces

// The samples of one of the game's own WAV files (16-bit mono PCM, a 44-byte header).
std::vector<float> Decode(std::span<const unsigned char> file) {
  std::vector<float> samples;
  if (file.size() < 44 || !std::equal(file.begin() + 36, file.begin() + 40, "data")) return samples;
  for (size_t at = 44; at + 1 < file.size(); at += 2)
    samples.push_back(static_cast<int16_t>(file[at] | file[at + 1] << 8) / 32768.0f);
  return samples;
}

int16_t ToSample(double limited) { return static_cast<int16_t>(std::lrint(limited * 32767.0)); }

}  // namespace

Mixer::Mixer() {
  for (int i = 0; i < GameEventCount; ++i) effects_[static_cast<size_t>(i)] = Decode(EmbeddedSoundFile(i));
}

void Mixer::Play(const std::vector<GameEvent>& events, Pan place) {
  for (const GameEvent event : SoundsToPlay(events)) {
    const Pan placed = SoundHasPlace(event) ? place : Pan{};
    const double lift = mix::EffectLift(event, duckUnderRunSounds_);
    const Pan gains = {placed.Left * lift, placed.Right * lift};
    voices_[static_cast<size_t>(event)] = {0, true, gains};
  }
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

void Mixer::Mix(std::span<int16_t> mono) {
  BeginBlock(mono.size());
  for (size_t n = 0; n < mono.size(); ++n) {
    const Frame frame = NextFrame(n);
    mono[n] = ToSample((frame.Left + frame.Right) / 2);
  }
}

void Mixer::MixStereo(std::span<int16_t> leftRight) {
  const size_t frames = leftRight.size() / 2;
  BeginBlock(frames);
  for (size_t n = 0; n < frames; ++n) {
    const Frame frame = NextFrame(n);
    leftRight[2 * n] = ToSample(frame.Left);
    leftRight[2 * n + 1] = ToSample(frame.Right);
  }
}

// The block's music, rendered ahead, and whether a sound ducks it.
void Mixer::BeginBlock(size_t frames) {
  musicBlock_.assign(frames, 0.0f);
  if (streamPiece_ != piece_ && fade_ <= 0.0) {  // the last piece has faded: start the new one
    stream_ = piece_ != nullptr ? std::make_unique<music::MusicStream>(*piece_) : nullptr;
    streamPiece_ = piece_;
  }
  if (stream_ && musicGain_ > 0.0) stream_->Render(musicBlock_);  // a silent piece waits
  // The fastest duck of the sounds playing; with none the music comes back up to full.
  double speed = 0.0;
  for (int i = 0; i < GameEventCount; ++i) {
    if (voices_[static_cast<size_t>(i)].Playing)
      speed = std::max(speed, mix::DuckSpeed(static_cast<GameEvent>(i), duckUnderRunSounds_));
  }
  duckStep_ = speed > 0.0 ? -speed : mix::DuckStep;
}

Mixer::Frame Mixer::NextFrame(size_t n) {
  double left = 0.0, right = 0.0;
  for (size_t i = 0; i < effects_.size(); ++i) {
    EffectVoice& voice = voices_[i];
    if (!voice.Playing) continue;
    left += effects_[i][voice.Position] * voice.Gains.Left;
    right += effects_[i][voice.Position] * voice.Gains.Right;
    voice.Playing = ++voice.Position < effects_[i].size();
  }
  fade_ = std::clamp(fade_ + (streamPiece_ == piece_ ? FadeStep : -FadeStep), 0.0, 1.0);
  duck_ = std::clamp(duck_ + duckStep_, mix::Ducked, 1.0);
  const double music = musicGain_ * fade_ * duck_ * musicBlock_[n];
  const double sumLeft = Headroom * (effectsVolume_ / 100.0 * left + music);
  const double sumRight = Headroom * (effectsVolume_ / 100.0 * right + music);
  const double peak = std::max(std::fabs(sumLeft), std::fabs(sumRight));
  largestBeforeLimit_ = std::max(largestBeforeLimit_, peak);
  // A peak limiter with an instant attack, one gain for both sides: the gain never lets a
  // sample past the ceiling, and a panned sound keeps its place while limited.
  envelope_ = std::max(peak, envelope_ * Release);
  if (envelope_ <= Ceiling) return {sumLeft, sumRight};
  return {sumLeft * Ceiling / envelope_, sumRight * Ceiling / envelope_};
}

}  // namespace tobu
