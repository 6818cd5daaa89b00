#include "platform/web/web_audio.h"

#include <emscripten.h>

#include <algorithm>

#include "sounds/embedded_sounds.h"
#include "sounds/sound_choice.h"

namespace {

// clang-format off
EM_JS(void, tobu_sound_load, (int index, const unsigned char* bytes, int size), {
  TobuSound.load(index, HEAPU8.slice(bytes, bytes + size).buffer);
});
EM_JS(void, tobu_sound_play, (int index), { TobuSound.play(index); });
EM_JS(void, tobu_sound_stop_all, (), { TobuSound.stopAll(); });
EM_JS(void, tobu_sound_volume, (double gain), { TobuSound.setVolume(gain); });
// clang-format on

}  // namespace

namespace tobu {

WebAudio::WebAudio() {
  for (int i = 0; i < GameEventCount; ++i) {
    const std::span<const unsigned char> file = EmbeddedSoundFile(i);
    if (!file.empty()) tobu_sound_load(i, file.data(), static_cast<int>(file.size()));
  }
}

void WebAudio::Play(const std::vector<GameEvent>& events) {
  if (!enabled_ || events.empty()) return;
  for (const GameEvent event : SoundsToPlay(events)) tobu_sound_play(static_cast<int>(event));
}

void WebAudio::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled_) tobu_sound_stop_all();
}

void WebAudio::SetVolume(int percent) { tobu_sound_volume(std::clamp(percent, 0, 100) / 100.0); }

}  // namespace tobu
