#pragma once
#include <cstdint>

#include "present/display.h"

namespace tobu {

// The title's moving scene, also behind plus's menus: the sky, a strip of grass on ground
// down to the bottom of the view with its top at `groundTop`, three apples a runner eats
// as it crosses the strip, and a daisy. `tick` (from 0) moves it: two pixels a tick, the
// runner coming round again after it leaves past the right edge.
void DrawMeadowScene(Display& display, int64_t tick, int groundTop);

// Plus's menus and cards: the scene with its ground along the bottom of the view, and over
// it a dark pane that keeps the gold letters readable, from MenuPaneTop to `paneBottom`.
// Their keys go on one line on the ground, at MenuHintsTop.
constexpr int MenuPaneLeft = 80, MenuPaneRight = 560, MenuPaneTop = 16, MenuPaneBottom = 350;
constexpr int MenuHintsTop = 462;
void DrawMenuBackdrop(Display& display, int64_t tick, int paneBottom = MenuPaneBottom);

}  // namespace tobu
