#pragma once
#include <SDL.h>

#include <array>

#include "platform/game_input.h"

namespace tobu {

// What an event asks of the window rather than of the game.
enum class WindowRequest { None, ToggleFullScreen, Close, FocusGained, FocusLost, Redraw };

// Turns SDL events into the game's input calls, in the order key-down, character,
// key-up, and keeps the full-screen shortcuts (Alt+Return, F11) to itself.
class InputRouter {
public:
  explicit InputRouter(GameInput& game) : game_(game) {}

  WindowRequest Route(const SDL_Event& event);

private:
  WindowRequest KeyDown(const SDL_KeyboardEvent& key);
  WindowRequest KeyUp(const SDL_KeyboardEvent& key);
  WindowRequest Window(const SDL_WindowEvent& window);

  GameInput& game_;
  // Keys pressed as a shortcut: their repeats and their release stay here too.
  std::array<bool, SDL_NUM_SCANCODES> shortcutHeld_{};
};

}  // namespace tobu
