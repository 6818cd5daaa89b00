#pragma once
#include <cstdint>

namespace tobu {

// Frame counters shared by the objects and the menu pointer, advanced every tick.
struct Animation {
  int32_t AnimTick = 0;
  int32_t KillerFrame = 0;
  int32_t FoodFrame = 0;
  int32_t ExitFrame = 0;
};

}  // namespace tobu
