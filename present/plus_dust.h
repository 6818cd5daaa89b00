#pragma once
#include <cstdint>
#include <vector>

#include "present/display.h"
#include "present/game_view.h"

namespace tobu {

// Dust the runner's feet kick up in tobu plus: small squares that drift, spread and fade.
enum class DustKind : uint8_t { TakeOff, Landing, Running, Turning };

struct DustMote {
  DustKind Kind = DustKind::Running;
  int32_t X = 0, Y = 0;        // the centre in the world, in sixteenths of a pixel
  int32_t VelX = 0, VelY = 0;  // sixteenths of a pixel per tick
  int32_t Age = 0;             // ticks
  int32_t Life = 1;            // ticks until it is gone
  int32_t Size = 3;            // pixels across when new
};

// The dust of a theme (present/themes.h): earth in the meadow, powder on snow, grey
// stone in the cave.
uint16_t DustColour(int theme);
// Every mote, in the colour of `theme`; a mote spreads and fades over its life.
void DrawDust(Display& display, ViewCamera camera, const std::vector<DustMote>& motes, int theme);

}  // namespace tobu
