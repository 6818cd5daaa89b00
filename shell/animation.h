#pragma once
#include <cstdint>

#include "present/object_sheets.h"

namespace tobu {

// Frame counters shared by the objects and the menu pointer, advanced every tick.
struct Animation {
  int32_t AnimTick = 0;
  ObjectFrames ObjectFrame{};  // by kind byte; the menu pointer shows the exit's
  int64_t SceneTick = 0;       // plus's menus: the moving scene behind them
};

}  // namespace tobu
