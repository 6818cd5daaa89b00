#pragma once
#include <cstdint>

namespace tobu {

// A browser key event's keyCode as the desktop's virtual key: the same codes for the
// same keys (letters, digits, the named keys), 0 for a key the desktop ignores. F11 and
// Alt stay the browser's, as they are the window's on the desktop.
uint16_t VirtualKeyFromKeyCode(uint32_t keyCode);

// A keypress event's charCode as the game's character: ASCII and Latin-1 keep their
// code, every other character is 255, as on the desktop; 0 when there is none.
uint8_t CharacterFromCharCode(uint32_t charCode);

// Whether the browser's own action for a forwarded key-down is suppressed. Keys that
// type a character keep it, or the browser would not send that character.
bool SuppressesBrowserAction(uint16_t virtualKey, bool ctrl);

}  // namespace tobu
