#pragma once
#include <cstdint>
#include <string>

#include "present/display.h"
#include "shell/game_mode.h"

namespace tobu {

// Plus: a word in a corner for a moment ("Sound off" after F2), over whatever shows and
// taking no keys. Bottom right, where no HUD, clock or menu row is; in the editor just
// above its toolbar.
class CornerNotice {
 public:
  static constexpr int32_t Ticks = 120;  // 1.2 s

  void Show(std::string text);
  bool Shown() const { return ticksLeft_ > 0; }
  // One tick older; true on the tick it goes.
  bool Age();
  void Draw(Display& display, GameMode mode) const;

 private:
  std::string text_;
  int32_t ticksLeft_ = 0;
};

}  // namespace tobu
