#pragma once
#include <cstdint>

namespace tobu {

class Game;

// The menu row a pointer or a tap at (`x`, `y`) in the frame lands on, as the menus draw
// their rows (the cursor's value for it), or -1 when it is on no row or the screen is no
// menu. Classic's rows reach across the frame; plus's only across their columns.
int32_t MenuRowAt(const Game& form, int32_t x, int32_t y);

// Plus's level list: -1 at `y` on the scroll arrow at the top of the pane, 1 on the one at
// its bottom, 0 elsewhere or when that arrow is not drawn.
int32_t ListArrowAt(const Game& form, int32_t y);

}  // namespace tobu
