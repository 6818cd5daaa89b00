#include "platform/web/web_pads.h"

#include <emscripten/html5.h>

#include <cstring>

namespace tobu {
namespace {

// The standard mapping's buttons: 0 A, 1 B, 8 Back, 9 Start, 12 to 15 the d-pad.
constexpr std::array<int, 8> StandardButton{0, 1, 8, 9, 12, 13, 14, 15};  // by PadButton

// An axis of -1 to 1 as the desktop's -32768 to 32767.
int StickValue(double axis) {
  if (axis <= -1) return -32768;
  if (axis >= 1) return 32767;
  return static_cast<int>(axis * 32767);
}

bool FirstStandardPad(EmscriptenGamepadEvent& pad) {
  if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return false;
  const int count = emscripten_get_num_gamepads();
  for (int i = 0; i < count; ++i) {
    if (emscripten_get_gamepad_status(i, &pad) == EMSCRIPTEN_RESULT_SUCCESS && pad.connected &&
        std::strcmp(pad.mapping, "standard") == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

void WebPads::Poll() {
  EmscriptenGamepadEvent pad{};
  if (!FirstStandardPad(pad)) {
    if (connected_) game_.PadsGone();
    connected_ = false;
    held_ = {};
    stickX_ = stickY_ = 0;
    return;
  }
  connected_ = true;
  for (size_t i = 0; i < StandardButton.size(); ++i) {
    const int index = StandardButton[i];
    const bool down = index < pad.numButtons && pad.digitalButton[index];
    if (down == held_[i]) continue;
    held_[i] = down;
    game_.PadButtonChanged(static_cast<PadButton>(i), down);
  }
  const int x = pad.numAxes > 0 ? StickValue(pad.axis[0]) : 0;
  const int y = pad.numAxes > 1 ? StickValue(pad.axis[1]) : 0;
  if (x != stickX_) game_.PadStick(true, stickX_ = x);
  if (y != stickY_) game_.PadStick(false, stickY_ = y);
}

}  // namespace tobu
