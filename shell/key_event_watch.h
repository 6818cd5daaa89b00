#pragma once
#include <cstddef>
#include <cstdint>

#include "editor/editor.h"
#include "events/game_events.h"
#include "shell/game_mode.h"

namespace tobu {

class Game;

// What a key handler may change that the player should hear about.
struct KeyEventView {
  GameMode Mode = GameMode::SelectPlayer;
  int32_t Cursor = 0;
  int32_t ListTop = 0;
  bool PromptOpen = false;
  bool Closed = false;
  size_t TypedLength = 0;  // the player's name or the editor's prompt
};

// The events one key-down reports: `move`, `choose` and `back`.
void ReportKeyDown(EventQueue& events, uint16_t key, const KeyEventView& before, const KeyEventView& after);
// The events one character reports: `choose`, `type` and `erase`.
void ReportKeyPress(EventQueue& events, uint8_t character, const KeyEventView& before,
                    const KeyEventView& after);
// `paint` (once a tick), `place` or `remove`.
void ReportEditorChange(EventQueue& events, EditorChange change);

// Watches one key handler of the game and reports its events when it is done, also
// when it ends with a file error.
class KeyEventWatch {
 public:
  enum class Handler { KeyDown, KeyPress };
  KeyEventWatch(Game& form, Handler handler, uint16_t key);
  ~KeyEventWatch();
  KeyEventWatch(const KeyEventWatch&) = delete;
  KeyEventWatch& operator=(const KeyEventWatch&) = delete;

 private:
  Game& form_;
  Handler handler_;
  uint16_t key_;
  KeyEventView before_;
};

}  // namespace tobu
