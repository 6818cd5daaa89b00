#pragma once
#include <memory>
#include <vector>

#include "assets/music/music_stream.h"
#include "events/game_events.h"
#include "shell/game_mode.h"

namespace tobu {

// The game's sounds through the page's Web Audio (web_page.js): the embedded WAV files
// decoded by the browser, one voice per event, so sounds of different events overlap
// and a new one of an event cuts its previous instance. The music is the desktop's, made
// from its score here as it plays and handed to the page a little ahead. Browsers start
// audio only after the player's first key or click; until then the sounds are skipped.
class WebAudio {
 public:
  // Hands every event's WAV bytes to the page to decode.
  WebAudio();
  ~WebAudio();

  // Starts the sounds of one tick's events.
  void Play(const std::vector<GameEvent>& events);
  // The music for where the player is; a run's in the look `runTheme` (shell/music_theme.h).
  // Plus mixes as the desktop's plus does (sounds/mix_rules.h).
  void FollowMode(GameMode mode, int runTheme, bool plus);
  // Keeps the page's music a few animation frames ahead of what it plays.
  void FeedMusic();
  // Sound off stops what is playing (music too) and plays nothing until switched on again.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  // 0 (silent) to 100 (as generated), the effects and the music apart.
  void SetVolume(int percent);
  void SetMusicVolume(int percent);

 private:
  bool enabled_ = true;
  bool plus_ = false;
  const music::Piece* piece_;                  // the piece for where the player is
  std::unique_ptr<music::MusicStream> music_;  // none until the page can play, or while off
  std::vector<float> block_;
};

}  // namespace tobu
