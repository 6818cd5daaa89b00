#include "platform/gamepad.h"

#include "session/overlay_keys.h"

namespace tobu {
namespace {

uint16_t ButtonKey(uint8_t button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return VkLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return VkRight;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return VkUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return VkDown;
    case SDL_CONTROLLER_BUTTON_B:
      return VkEscape;
    case SDL_CONTROLLER_BUTTON_START:
      return VkPause;
    case SDL_CONTROLLER_BUTTON_BACK:
      return VkF1;
    default:
      return 0;
  }
}

int Lean(int16_t value) {
  if (value <= -GamepadRouter::DeadZone) return -1;
  if (value >= GamepadRouter::DeadZone) return 1;
  return 0;
}

}  // namespace

GamepadRouter::~GamepadRouter() {
  for (const auto& [id, pad] : pads_) SDL_GameControllerClose(pad);
}

bool GamepadRouter::Route(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which); pad != nullptr) {
        pads_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))] = pad;
      }
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (const auto found = pads_.find(event.cdevice.which); found != pads_.end()) {
        SDL_GameControllerClose(found->second);
        pads_.erase(found);
      }
      ReleaseAll();  // a pad pulled out mid-jump lets go of its keys
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
      Button(event.cbutton.button, true);
      return true;
    case SDL_CONTROLLERBUTTONUP:
      Button(event.cbutton.button, false);
      return true;
    case SDL_CONTROLLERAXISMOTION:
      Axis(event.caxis.axis, event.caxis.value);
      return true;
    default:
      return false;
  }
}

void GamepadRouter::Button(uint8_t button, bool down) {
  uint16_t key = ButtonKey(button);
  if (button == SDL_CONTROLLER_BUTTON_A) {
    // Decided when pressed, so the release lets go of the same key whatever the screen is now.
    if (down) aKey_ = form_.Mode == GameMode::game ? VkSpace : VkReturn;
    key = aKey_;
  }
  if (key == 0) return;
  if (down) {
    Press(key);
  } else {
    Release(key);
  }
}

void GamepadRouter::Axis(uint8_t axis, int16_t value) {
  const bool horizontal = axis == SDL_CONTROLLER_AXIS_LEFTX;
  if (!horizontal && axis != SDL_CONTROLLER_AXIS_LEFTY) return;
  int& lean = horizontal ? stickX_ : stickY_;
  const int now = Lean(value);
  if (now == lean) return;
  const uint16_t minus = horizontal ? VkLeft : VkUp;
  const uint16_t plus = horizontal ? VkRight : VkDown;
  if (lean != 0) Release(lean < 0 ? minus : plus);
  lean = now;
  if (lean != 0) Press(lean < 0 ? minus : plus);
}

// A key goes down with its first holder and up with its last, as one finger on a keyboard.
void GamepadRouter::Press(uint16_t key) {
  if (holds_[key]++ > 0) return;
  game_.KeyDown(key);
  if (key == VkReturn) game_.KeyPress(static_cast<uint8_t>(VkReturn));
}

void GamepadRouter::Release(uint16_t key) {
  if (holds_[key] == 0 || --holds_[key] > 0) return;
  game_.KeyUp(key);
}

void GamepadRouter::ReleaseAll() {
  for (size_t key = 0; key < holds_.size(); ++key) {
    if (holds_[key] == 0) continue;
    holds_[key] = 0;
    game_.KeyUp(static_cast<uint16_t>(key));
  }
  stickX_ = stickY_ = 0;
}

}  // namespace tobu
