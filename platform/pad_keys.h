#pragma once
#include <array>
#include <cstdint>

#include "platform/game_input.h"

namespace tobu {

// A gamepad's buttons as the game sees them, whoever reads the pad (SDL on the desktop,
// the Gamepad API in the browser).
enum class PadButton : uint8_t { A, B, Back, Start, Up, Down, Left, Right };

// The pad presses the game's keys through the same calls as the keyboard: d-pad and left
// stick are the arrow keys, A is Space in a run and Return elsewhere, B Escape, Start
// Pause and Back F1. Names are still typed on the keyboard.
class PadKeys {
 public:
  PadKeys(GameInput& game, const Game& form) : game_(game), form_(form) {}

  void Button(PadButton button, bool down);
  // The left stick along one axis, from -32768 to 32767.
  void Stick(bool horizontal, int value);
  // A pad pulled out mid-jump lets go of its keys.
  void ReleaseAll();

  // How far the stick must lean (of 32767) before it presses an arrow.
  static constexpr int DeadZone = 12000;

 private:
  void Press(uint16_t key);
  void Release(uint16_t key);

  GameInput& game_;
  const Game& form_;
  std::array<int, 256> holds_{};  // how many buttons and stick directions hold each key
  uint16_t aKey_ = 0;             // the key A pressed, released with it
  int stickX_ = 0;                // -1, 0 or +1
  int stickY_ = 0;
};

}  // namespace tobu
