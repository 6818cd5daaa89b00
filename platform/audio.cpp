#include "platform/audio.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "sounds/embedded_sounds.h"
#include "sounds/sound_choice.h"

namespace tobu {
namespace {

// About 12 ms of sound a buffer: a sound starts within a tick or two of its event.
constexpr int MixBufferSamples = 512;

}  // namespace

Audio::Audio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "tobu: no sound: %s\n", SDL_GetError());
    return;
  }
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, MIX_DEFAULT_CHANNELS, MixBufferSamples) != 0) {
    std::fprintf(stderr, "tobu: no sound: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  open_ = true;
  Mix_AllocateChannels(GameEventCount);
  for (int i = 0; i < GameEventCount; ++i) {
    const std::span<const unsigned char> file = EmbeddedSoundFile(i);
    if (file.empty()) continue;
    chunks_[static_cast<size_t>(i)] =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
  }
}

Audio::~Audio() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  for (Mix_Chunk* chunk : chunks_) {
    if (chunk != nullptr) Mix_FreeChunk(chunk);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Audio::Play(const std::vector<GameEvent>& events) {
  if (!open_ || !enabled_ || events.empty()) return;
  for (const GameEvent event : SoundsToPlay(events)) {
    const int channel = static_cast<int>(event);
    if (Mix_Chunk* chunk = chunks_[static_cast<size_t>(channel)]) Mix_PlayChannel(channel, chunk, 0);
  }
}

void Audio::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (open_ && !enabled_) Mix_HaltChannel(-1);
}

void Audio::SetVolume(int percent) {
  if (open_) Mix_Volume(-1, std::clamp(percent, 0, 100) * MIX_MAX_VOLUME / 100);
}

}  // namespace tobu
