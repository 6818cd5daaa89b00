#pragma once
#include <cstdint>

#include "shell/game.h"

namespace tobu {

// The input side of the game as the platform sees it: one call per input handler.
class GameInput {
public:
  virtual ~GameInput() = default;
  virtual void KeyDown(uint16_t key) = 0;
  // commandHeld: typed with Ctrl, Alt or the system key held.
  virtual void KeyPress(uint8_t character, bool commandHeld) = 0;
  virtual void KeyUp(uint16_t key) = 0;
  virtual void MouseDown(MouseButton button, int32_t x, int32_t y) = 0;
  virtual void MouseMove(int32_t x, int32_t y) = 0;
  virtual void MouseUp(MouseButton button, int32_t x, int32_t y) = 0;
  // Notches of the wheel, right and down counted positive; most inputs have none.
  virtual void MouseWheel(int32_t /*dx*/, int32_t /*dy*/) {}
};

}  // namespace tobu
