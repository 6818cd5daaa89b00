#include "platform/audio.h"

#include <cstdio>
#include <span>

#include "sounds/music_choice.h"

namespace tobu {
namespace {

// 256 samples, 5.8 ms a buffer: the smallest that plays here without a gap (a buffer
// takes well under a millisecond to mix). SDL may not change it: with a device of its
// own size SDL converts, and the game's latency stays what is asked here.
constexpr int MixBufferSamples = 256;

// Holds the device's callback off while the game changes what it mixes.
class DeviceLock {
 public:
  explicit DeviceLock(SDL_AudioDeviceID device) : device_(device) { SDL_LockAudioDevice(device_); }
  ~DeviceLock() { SDL_UnlockAudioDevice(device_); }
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

 private:
  SDL_AudioDeviceID device_;
};

}  // namespace

Audio::Audio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "tobu: no sound: %s\n", SDL_GetError());
    return;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = 44100;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;  // the same mono mix on both sides
  wanted.samples = MixBufferSamples;
  wanted.callback = Fill;
  wanted.userdata = this;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device_ == 0) {
    std::fprintf(stderr, "tobu: no sound: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  mixer_.SetMusic(&MusicFor(mode_));
  SDL_PauseAudioDevice(device_, 0);
}

Audio::~Audio() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Audio::Fill(void* self, Uint8* stream, int bytes) {
  Audio& audio = *static_cast<Audio*>(self);
  const auto frames = static_cast<size_t>(bytes) / (2 * sizeof(int16_t));
  audio.mono_.resize(frames);  // once: SDL asks for the same size every time
  audio.mixer_.Mix(audio.mono_);
  auto* out = reinterpret_cast<int16_t*>(stream);
  for (size_t i = 0; i < frames; ++i) out[2 * i] = out[2 * i + 1] = audio.mono_[i];
}

void Audio::Play(const std::vector<GameEvent>& events) {
  if (device_ == 0 || !enabled_ || events.empty()) return;
  const DeviceLock lock(device_);
  mixer_.Play(events);
}

void Audio::FollowMode(GameMode mode) {
  if (device_ == 0 || mode == mode_) return;
  mode_ = mode;
  const DeviceLock lock(device_);
  if (enabled_) mixer_.SetMusic(&MusicFor(mode_));
}

void Audio::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (device_ == 0) return;
  const DeviceLock lock(device_);
  if (!enabled_) mixer_.Stop();
  mixer_.SetMusic(enabled_ ? &MusicFor(mode_) : nullptr);
}

void Audio::SetVolume(int percent) {
  if (device_ == 0) return;
  const DeviceLock lock(device_);
  mixer_.SetEffectsVolume(percent);
}

void Audio::SetMusicVolume(int percent) {
  if (device_ == 0) return;
  const DeviceLock lock(device_);
  mixer_.SetMusicVolume(percent);
}

}  // namespace tobu

namespace tobu {

int Audio::Playing(GameEvent event) const {
  const DeviceLock lock(device_);
  return mixer_.Playing(event) ? 1 : 0;
}

int Audio::Playing() const {
  const DeviceLock lock(device_);
  return mixer_.Playing();
}

int Audio::Volume() const { return mixer_.EffectsVolume(); }

}  // namespace tobu
