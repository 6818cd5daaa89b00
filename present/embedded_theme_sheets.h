#pragma once
#include <span>

namespace tobu {

// The BMP file of themed sheet `index` (see LoadEmbeddedThemeSheets) as built into the
// program; empty for any other index.
std::span<const unsigned char> EmbeddedThemeSheet(int index);

}  // namespace tobu
