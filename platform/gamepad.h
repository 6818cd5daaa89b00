#pragma once
#include <SDL.h>

#include <array>
#include <map>

#include "platform/game_input.h"

namespace tobu {

// Gamepads through SDL's GameController API, plugged in and out while playing. The pad
// presses the game's keys through the same calls as the keyboard: d-pad and left stick are
// the arrow keys, A is Space in a run and Return elsewhere, B Escape, Start Pause and
// Back F1. Names are still typed on the keyboard.
class GamepadRouter {
 public:
  GamepadRouter(GameInput& game, const Game& form) : game_(game), form_(form) {}
  ~GamepadRouter();
  GamepadRouter(const GamepadRouter&) = delete;
  GamepadRouter& operator=(const GamepadRouter&) = delete;

  // Handles controller events; false for every other event.
  bool Route(const SDL_Event& event);

  // How far the stick must lean (of 32767) before it presses an arrow.
  static constexpr int DeadZone = 12000;

 private:
  void Button(uint8_t button, bool down);
  void Axis(uint8_t axis, int16_t value);
  void Press(uint16_t key);
  void Release(uint16_t key);
  void ReleaseAll();

  GameInput& game_;
  const Game& form_;
  std::map<SDL_JoystickID, SDL_GameController*> pads_;
  std::array<int, 256> holds_{};  // how many buttons and stick directions hold each key
  uint16_t aKey_ = 0;             // the key A pressed, released with it
  int stickX_ = 0;                // -1, 0 or +1
  int stickY_ = 0;
};

}  // namespace tobu
