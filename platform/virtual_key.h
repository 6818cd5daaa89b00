#pragma once
#include <SDL.h>

#include <cstdint>

namespace tobu {

// The Windows virtual-key code the game knows a key by, or 0 for a key it never sees.
uint16_t VirtualKeyFromSdl(SDL_Keycode key);

// The character code a typed UTF-8 text delivers: its first code point, ASCII as itself
// and anything beyond ASCII as a code above 127 (which the game's name filters ignore);
// 0 for an empty text.
uint8_t CharacterFromText(const char* utf8);

}  // namespace tobu
