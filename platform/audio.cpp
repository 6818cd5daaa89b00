#include "platform/audio.h"

#ifdef __unix__
#include <pthread.h>
#include <sched.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <span>

#include "sounds/music_choice.h"

namespace tobu {
namespace {

// 512 frames, 11.6 ms a buffer: the smallest with no gap over long runs here, on two
// cores loaded with builds (scripts/measure-latency.sh: 128 and 256 frames had gaps).
// SDL_AUDIO_SAMPLES, SDL's own variable, overrides it: SDL reads it when the size asked
// is 0.
constexpr int MixBufferSamples = 512;

Uint16 BufferFramesToAsk() { return std::getenv("SDL_AUDIO_SAMPLES") != nullptr ? 0 : MixBufferSamples; }

// The mixing thread works well under a millisecond a buffer, then sleeps: at realtime
// priority a busy machine wakes it on time. SDL gives it the highest ordinary priority,
// which a machine loaded with builds still woke more than a buffer late hundreds of times
// a minute (scripts/measure-latency.sh). Where the system refuses (no realtime allowance
// for the player), SDL's priority stays. SDL's own realtime hint asks rtkit only, and
// without it leaves the thread at a lower priority than before.
void RaiseToRealtime() {
#ifdef __unix__
  sched_param lowestRealtime{};
  lowestRealtime.sched_priority = sched_get_priority_min(SCHED_FIFO);
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &lowestRealtime);
#endif
}

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
  wanted.channels = 2;  // the run's sounds where they happen, the rest in the middle
  wanted.samples = BufferFramesToAsk();
  wanted.callback = Fill;
  wanted.userdata = this;
  // A device that keeps a buffer size of its own hands it to the callback as it is, and
  // the size opened is known: without the flag, SDL would convert between the two sizes
  // through a stream of its own and report the size asked.
  SDL_AudioSpec opened{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &opened, SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
  if (device_ == 0) {
    std::fprintf(stderr, "tobu: no sound: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  bufferFrames_ = opened.samples;
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
  if (!audio.realtime_) RaiseToRealtime();  // the first buffer, on the device's thread
  audio.realtime_ = true;
  audio.mixer_.MixStereo({reinterpret_cast<int16_t*>(stream), static_cast<size_t>(bytes) / sizeof(int16_t)});
}

void Audio::Play(const std::vector<GameEvent>& events, Pan place) {
  if (device_ == 0 || !enabled_ || events.empty()) return;
  const DeviceLock lock(device_);
  mixer_.Play(events, place);
}

void Audio::FollowMode(GameMode mode, int runTheme, bool plus) {
  if (device_ == 0 || (mode == mode_ && runTheme == runTheme_ && plus == plus_)) return;
  mode_ = mode;
  runTheme_ = runTheme;
  plus_ = plus;
  const DeviceLock lock(device_);
  mixer_.DuckUnderRunSounds(plus_);
  if (enabled_) mixer_.SetMusic(&MusicFor(mode_, runTheme_));
}

void Audio::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (device_ == 0) return;
  const DeviceLock lock(device_);
  if (!enabled_) mixer_.Stop();
  mixer_.SetMusic(enabled_ ? &MusicFor(mode_, runTheme_) : nullptr);
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
