#include "platform/input_router.h"

#include "platform/virtual_key.h"

namespace tobu {
namespace {

bool IsFullScreenShortcut(const SDL_Keysym& key) {
  if (key.sym == SDLK_F11) return true;
  const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
  return enter && (key.mod & KMOD_ALT) != 0;
}

bool ToMouseButton(uint8_t sdlButton, MouseButton& button) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: button = MouseButton::Left; return true;
    case SDL_BUTTON_RIGHT: button = MouseButton::Right; return true;
    case SDL_BUTTON_MIDDLE: button = MouseButton::Middle; return true;
    default: return false;
  }
}

unsigned Bit(MouseButton button) { return 1u << static_cast<unsigned>(button); }

// Ctrl, Alt or the system key, but not AltGr (right Alt, or Ctrl with it on Windows),
// which types characters of many layouts.
bool CommandHeld(uint16_t modifiers) {
  const bool altGr = (modifiers & (KMOD_RALT | KMOD_MODE)) != 0;
  return !altGr && (modifiers & (KMOD_CTRL | KMOD_LALT | KMOD_GUI)) != 0;
}

}  // namespace

WindowRequest InputRouter::Route(const SDL_Event& event) {
  MouseButton button{};
  FramePoint at;
  switch (event.type) {
    case SDL_QUIT: return WindowRequest::Close;
    case SDL_WINDOWEVENT: return Window(event.window);
    case SDL_KEYDOWN: return KeyDown(event.key);
    case SDL_KEYUP: return KeyUp(event.key);
    case SDL_TEXTINPUT:
      if (const uint8_t character = CharacterFromText(event.text.text); character != 0) {
        game_.KeyPress(character, CommandHeld(modifiers_));
      }
      return WindowRequest::None;
    case SDL_MOUSEBUTTONDOWN:
      at = WindowToFrame(frame_, event.button.x, event.button.y);
      if (ToMouseButton(event.button.button, button) && InsideFrame(at)) {
        buttonsHeld_ |= Bit(button);
        game_.MouseDown(button, at.X, at.Y);
      }
      return WindowRequest::None;
    case SDL_MOUSEBUTTONUP:
      at = WindowToFrame(frame_, event.button.x, event.button.y);
      if (!ToMouseButton(event.button.button, button)) return WindowRequest::None;
      // The release of a press the game saw always reaches it, at the frame's edge if need be.
      if (InsideFrame(at) || (buttonsHeld_ & Bit(button)) != 0) {
        const FramePoint edge = ClampToFrame(at);
        game_.MouseUp(button, edge.X, edge.Y);
      }
      buttonsHeld_ &= ~Bit(button);
      return WindowRequest::None;
    case SDL_MOUSEMOTION:
      // A motion of no distance is the window changing under a still pointer (full screen
      // on or off): without a button held it points at nothing the player chose.
      if (event.motion.xrel == 0 && event.motion.yrel == 0 && buttonsHeld_ == 0) return WindowRequest::None;
      at = WindowToFrame(frame_, event.motion.x, event.motion.y);
      if (InsideFrame(at) || buttonsHeld_ != 0) {
        const FramePoint edge = ClampToFrame(at);
        game_.MouseMove(edge.X, edge.Y);
      }
      return WindowRequest::None;
    case SDL_MOUSEWHEEL: return Wheel(event.wheel);
    default: return WindowRequest::None;
  }
}

// SDL counts a notch away from the player as up; a flipped wheel (natural scrolling)
// reports the other way round.
WindowRequest InputRouter::Wheel(const SDL_MouseWheelEvent& wheel) {
  const int32_t sign = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
  if (wheel.x != 0 || wheel.y != 0) game_.MouseWheel(sign * wheel.x, -sign * wheel.y);
  return WindowRequest::None;
}

WindowRequest InputRouter::KeyDown(const SDL_KeyboardEvent& key) {
  modifiers_ = key.keysym.mod;
  const SDL_Scancode scancode = key.keysym.scancode;
  if (scancode >= 0 && scancode < SDL_NUM_SCANCODES) {
    if (shortcutHeld_[scancode]) return WindowRequest::None;  // a held shortcut repeats nothing
    if (IsFullScreenShortcut(key.keysym)) {
      shortcutHeld_[scancode] = true;
      return key.repeat ? WindowRequest::None : WindowRequest::ToggleFullScreen;
    }
    if (key.keysym.sym == SDLK_F2) {
      shortcutHeld_[scancode] = true;
      return key.repeat ? WindowRequest::None : WindowRequest::ToggleSound;
    }
  }
  const uint16_t virtualKey = VirtualKeyFromSdl(key.keysym.sym);
  if (virtualKey == 0) return WindowRequest::None;
  game_.KeyDown(virtualKey);
  // SDL types no text for these two; the game expects their characters all the same.
  if (virtualKey == 13 || virtualKey == 8) {
    game_.KeyPress(static_cast<uint8_t>(virtualKey), CommandHeld(modifiers_));
  }
  return WindowRequest::None;
}

WindowRequest InputRouter::KeyUp(const SDL_KeyboardEvent& key) {
  modifiers_ = key.keysym.mod;
  const SDL_Scancode scancode = key.keysym.scancode;
  if (scancode >= 0 && scancode < SDL_NUM_SCANCODES && shortcutHeld_[scancode]) {
    shortcutHeld_[scancode] = false;
    return WindowRequest::None;
  }
  const uint16_t virtualKey = VirtualKeyFromSdl(key.keysym.sym);
  if (virtualKey != 0) game_.KeyUp(virtualKey);
  return WindowRequest::None;
}

WindowRequest InputRouter::Window(const SDL_WindowEvent& window) {
  switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: return WindowRequest::FocusGained;
    case SDL_WINDOWEVENT_FOCUS_LOST: return WindowRequest::FocusLost;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: return WindowRequest::Redraw;
    default: return WindowRequest::None;
  }
}

}  // namespace tobu
