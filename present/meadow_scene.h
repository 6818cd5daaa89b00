#pragma once
#include <cstdint>

#include "present/display.h"

namespace tobu {

// The title's moving scene, also behind plus's menus: the sky, a strip of grass on ground
// down to the bottom of the view with its top at `groundTop`, three apples a runner eats
// as it crosses the strip, and a daisy. `tick` (from 0) moves it: two pixels a tick, the
// runner coming round again after it leaves past the right edge.
void DrawMeadowScene(Display& display, int64_t tick, int groundTop);

}  // namespace tobu
