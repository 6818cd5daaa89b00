#pragma once
#include <cstdint>

namespace tobu {

// Keys the game itself leaves unused, taken by the session before the game sees them.
enum OverlayKey : uint16_t {
  VkPause = 19,
  VkO = 79,  // plus: the options card
  VkP = 80,
  VkR = 82,  // plus: restart
  VkF1 = 112,
  VkF3 = 114,
  VkF12 = 123,
};

}  // namespace tobu
