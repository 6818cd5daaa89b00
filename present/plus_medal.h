#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "present/display.h"
#include "present/medal.h"

namespace tobu {

// Plus's medal: a five-pointed star in the medal's metal with a dark rim, its centre at
// (cx, cy) and its points `radius` pixels out. Medal::None draws nothing.
void DrawStar(Display& display, int32_t cx, int32_t cy, int32_t radius, Medal medal);
// A line of the bitmap font centred at y, with the medal's star after it when it has one:
// the two centred together.
void ShowStringWithStar(Display& display, int32_t y, const std::string& text, Medal medal);

// The card after the game's last level: confetti over the screen and a panel with the
// title and the lines under it, a gold star after the last one (the medals won).
struct EndingCard {
  std::string Title;
  std::vector<std::string> Lines;
  int32_t Age = 0;  // ticks it has been shown
};
void DrawEndingCard(Display& display, const EndingCard& card);

}  // namespace tobu
