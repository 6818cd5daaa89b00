#pragma once
#include <array>
#include <cstdint>

namespace tobu {

// Windows virtual-key codes, the game's names for its keys.
enum VirtualKey : uint16_t {
  VkBack = 8,
  VkTab = 9,
  VkReturn = 13,
  VkShift = 16,
  VkControl = 17,
  VkEscape = 27,
  VkSpace = 32,
  VkLeft = 37,
  VkUp = 38,
  VkRight = 39,
  VkDown = 40,
  VkDelete = 46,
  VkF4 = 115,  // plus: renames the highlighted player
  VkF5 = 116,
};

// True while a key is down, indexed by virtual-key code.
using KeyTable = std::array<bool, 256>;

} // namespace tobu
