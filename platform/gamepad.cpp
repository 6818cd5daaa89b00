#include "platform/gamepad.h"

namespace tobu {
namespace {

bool ToPadButton(uint8_t button, PadButton& out) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      out = PadButton::A;
      return true;
    case SDL_CONTROLLER_BUTTON_B:
      out = PadButton::B;
      return true;
    case SDL_CONTROLLER_BUTTON_BACK:
      out = PadButton::Back;
      return true;
    case SDL_CONTROLLER_BUTTON_START:
      out = PadButton::Start;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      out = PadButton::Up;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      out = PadButton::Down;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      out = PadButton::Left;
      return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      out = PadButton::Right;
      return true;
    default:
      return false;
  }
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
      keys_.ReleaseAll();
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      Button(event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN);
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        keys_.Stick(event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX, event.caxis.value);
      }
      return true;
    default:
      return false;
  }
}

void GamepadRouter::Button(uint8_t button, bool down) {
  PadButton which{};
  if (ToPadButton(button, which)) keys_.Button(which, down);
}

}  // namespace tobu
