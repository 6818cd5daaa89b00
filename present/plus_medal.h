#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "present/display.h"

namespace tobu {

// Plus's medal: a five-pointed gold star with a dark rim, its centre at (cx, cy) and its
// points `radius` pixels out.
void DrawStar(Display& display, int32_t cx, int32_t cy, int32_t radius);
// A line of the bitmap font centred at y, with a star after it when `star`: the two
// centred together.
void ShowStringWithStar(Display& display, int32_t y, const std::string& text, bool star);

// The card after the game's last level: confetti over the screen and a panel with the
// title and the lines under it, a star before the last one (the stars won).
struct EndingCard {
  std::string Title;
  std::vector<std::string> Lines;
  int32_t Age = 0;  // ticks it has been shown
};
void DrawEndingCard(Display& display, const EndingCard& card);

}  // namespace tobu
