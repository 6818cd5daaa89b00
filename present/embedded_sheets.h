#pragma once
#include <span>

namespace tobu {

// The BMP file of sheet `index` (0..13) as built into the program; empty for any other index.
std::span<const unsigned char> EmbeddedSheet(int index);

} // namespace tobu
