#pragma once
#include <array>

#include "platform/web/web_game.h"

namespace tobu {

// The page's gamepads through the Gamepad API, read once an animation frame: the first
// pad in the standard mapping plays, its changes reach the game as the desktop's pad's.
class WebPads {
 public:
  explicit WebPads(WebGame& game) : game_(game) {}
  void Poll();

 private:
  WebGame& game_;
  bool connected_ = false;
  std::array<bool, 8> held_{};  // by PadButton
  int stickX_ = 0;
  int stickY_ = 0;
};

}  // namespace tobu
