#pragma once
#include <SDL.h>

#include <array>

#include "platform/game_input.h"
#include "platform/letterbox.h"
#include "present/display.h"

namespace tobu {

// What an event asks of the window rather than of the game.
enum class WindowRequest { None, ToggleFullScreen, Close, FocusGained, FocusLost, Redraw, ToggleSound };

// Turns SDL events into the game's input calls, in the order key-down, character
// (saying whether a command key was held), key-up, and keeps the full-screen shortcuts
// (Alt+Return, F11) and the sound switch (F2) to itself. The mouse reaches the game in
// back-buffer pixels, through where the frame lies in the window, and only inside the
// frame: the bars around it are not the game's, and a drag that leaves the frame with a
// button held stays at its edge.
class InputRouter {
public:
  explicit InputRouter(GameInput& game) : game_(game) {}

  WindowRequest Route(const SDL_Event& event);
  // Where the frame lies in the window; until told, the window is the frame.
  void SetFrame(const FrameRect& frame) { frame_ = frame; }

private:
  WindowRequest KeyDown(const SDL_KeyboardEvent& key);
  WindowRequest KeyUp(const SDL_KeyboardEvent& key);
  WindowRequest Window(const SDL_WindowEvent& window);
  WindowRequest Wheel(const SDL_MouseWheelEvent& wheel);

  GameInput& game_;
  FrameRect frame_{0, 0, ViewWidth, ViewHeight};
  // Keys pressed as a shortcut: their repeats and their release stay here too.
  std::array<bool, SDL_NUM_SCANCODES> shortcutHeld_{};
  unsigned buttonsHeld_ = 0;  // one bit per MouseButton whose press reached the game
  uint16_t modifiers_ = KMOD_NONE;  // as the last key event left them, for the text after it
};

}  // namespace tobu
