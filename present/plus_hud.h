#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "present/display.h"

namespace tobu {

// plus's HUD: three compact panels that stay along the top of the view, with the world
// visible between them. Their sizes are fixed, so nothing shifts as the clock runs.
struct HudRect {
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
};
enum HudPanel : uint8_t { HudBestPanel, HudFoodPanel, HudClockPanel, HudPanelCount };

constexpr int32_t HudTop = 4;
constexpr int32_t HudHeight = 30;
constexpr int32_t HudBottom = HudTop + HudHeight;  // anything drawn under the HUD starts here
constexpr int32_t HudFadeTicks = 8;                // from solid to faded, one step a tick
constexpr std::array<HudRect, HudPanelCount> HudPanels{{
    {4, HudTop, 164, HudHeight},                      // "Best" and the best time
    {(ViewWidth - 184) / 2, HudTop, 184, HudHeight},  // food, the count, "left", the daisy
    {ViewWidth - 4 - 164, HudTop, 164, HudHeight},    // "Time" and the clock
}};

// What the HUD shows; times already as text ("42.01").
struct PlusHud {
  int32_t FoodLeft = 0;
  int32_t FoodTotal = 0;
  int32_t ExitFrame = 0;  // the open daisy's frame
  std::string Time;
  std::string Best;  // empty while the level has no best time: its panel is not drawn
  // Per panel, 0 (solid) to HudFadeTicks: the backing fades so the runner under it shows;
  // the texts and icons stay at full strength over it.
  std::array<int32_t, HudPanelCount> Fade{};
};

// The panels over the world: the best time in silver, the food left out of the total
// with the daisy locked (dimmed, a padlock) or open (in colour, a tick), and the clock
// large in gold, all outlined so they read over any sky.
void DrawPlusHud(Display& display, const PlusHud& hud);

}  // namespace tobu
