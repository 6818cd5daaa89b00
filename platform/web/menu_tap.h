#pragma once
#include <cstdint>

#include "shell/game.h"

namespace tobu {

// The menu row a tap at frame row `y` lands on, as the menus draw their rows (the cursor's
// value for it), or -1 when the tap is on no row or the screen is no menu.
int32_t MenuRowAt(const Game& form, int32_t y);

}  // namespace tobu
