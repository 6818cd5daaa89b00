#pragma once
#include <cstdint>
#include <vector>

namespace tobu {

// A picture in the display's RGB565, row by row, drawn as it is (an online level's
// picture on its card).
struct Picture {
  int Width = 0;
  int Height = 0;
  std::vector<uint16_t> Pixels;
};

}  // namespace tobu
