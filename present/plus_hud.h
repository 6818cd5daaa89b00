#pragma once
#include <cstdint>
#include <string>

#include "present/display.h"

namespace tobu {

// What plus's HUD strip shows; times already as text ("42.01").
struct PlusHud {
  int32_t FoodLeft = 0;
  int32_t FoodTotal = 0;
  int32_t ExitFrame = 0;  // the open daisy's frame
  std::string Time;
  std::string Best;  // empty while the level has no best time
};

constexpr int32_t HudHeight = 28;

// A dark strip across the view at `top` (0 or ViewHeight - HudHeight), drawn over the
// world: "Best" and the best time small and grey on the left, the food left out of the
// total and the daisy (grey while locked) in the middle, "Time" and the clock large on
// the right, outlined so they read over any sky.
void DrawPlusHud(Display& display, const PlusHud& hud, int32_t top);

}  // namespace tobu
