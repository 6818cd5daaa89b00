#include "platform/pad_keys.h"

#include "session/overlay_keys.h"

namespace tobu {
namespace {

uint16_t ButtonKey(PadButton button) {
  switch (button) {
    case PadButton::Left:
      return VkLeft;
    case PadButton::Right:
      return VkRight;
    case PadButton::Up:
      return VkUp;
    case PadButton::Down:
      return VkDown;
    case PadButton::B:
      return VkEscape;
    case PadButton::Start:
      return VkPause;
    case PadButton::Back:
      return VkF1;
    case PadButton::A:
      return 0;
  }
  return 0;
}

int Lean(int value) {
  if (value <= -PadKeys::DeadZone) return -1;
  if (value >= PadKeys::DeadZone) return 1;
  return 0;
}

}  // namespace

void PadKeys::Button(PadButton button, bool down) {
  uint16_t key = ButtonKey(button);
  if (button == PadButton::A) {
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

void PadKeys::Stick(bool horizontal, int value) {
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
void PadKeys::Press(uint16_t key) {
  // A stick leaning up as it runs must not jump: the pad jumps with A.
  if (key == VkUp && form_.UpJumps()) return;
  if (holds_[key]++ > 0) return;
  game_.KeyDown(key);
  if (key == VkReturn) game_.KeyPress(static_cast<uint8_t>(VkReturn), false);
}

void PadKeys::Release(uint16_t key) {
  if (holds_[key] == 0 || --holds_[key] > 0) return;
  game_.KeyUp(key);
}

void PadKeys::ReleaseAll() {
  for (size_t key = 0; key < holds_.size(); ++key) {
    if (holds_[key] == 0) continue;
    holds_[key] = 0;
    game_.KeyUp(static_cast<uint16_t>(key));
  }
  stickX_ = stickY_ = 0;
}

}  // namespace tobu
