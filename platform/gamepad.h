#pragma once
#include <SDL.h>

#include <map>

#include "platform/pad_keys.h"

namespace tobu {

// Gamepads through SDL's GameController API, plugged in and out while playing, pressing
// the game's keys as PadKeys maps them.
class GamepadRouter {
 public:
  GamepadRouter(GameInput& game, const Game& form) : keys_(game, form) {}
  ~GamepadRouter();
  GamepadRouter(const GamepadRouter&) = delete;
  GamepadRouter& operator=(const GamepadRouter&) = delete;

  // Handles controller events; false for every other event.
  bool Route(const SDL_Event& event);

  // How far the stick must lean (of 32767) before it presses an arrow.
  static constexpr int DeadZone = PadKeys::DeadZone;

 private:
  void Button(uint8_t button, bool down);

  PadKeys keys_;
  std::map<SDL_JoystickID, SDL_GameController*> pads_;
};

}  // namespace tobu
