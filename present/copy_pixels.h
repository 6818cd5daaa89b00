#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tobu {

// Sprite rows and their runs are short (1 to 640 pixels) and a general memcpy's start-up
// cost dominated them: fixed 16-byte moves, the last one overlapping the one before.
inline void CopyPixels(uint16_t* to, const uint16_t* from, size_t count) {
  if (count >= 64) {
    std::memcpy(to, from, count * sizeof(uint16_t));
  } else if (count >= 8) {
    for (size_t i = 0; i + 8 < count; i += 8) std::memcpy(to + i, from + i, 16);
    std::memcpy(to + count - 8, from + count - 8, 16);
  } else if (count >= 4) {
    std::memcpy(to, from, 8);
    std::memcpy(to + count - 4, from + count - 4, 8);
  } else if (count >= 2) {
    std::memcpy(to, from, 4);
    std::memcpy(to + count - 2, from + count - 2, 4);
  } else if (count == 1) {
    *to = *from;
  }
}

}  // namespace tobu
