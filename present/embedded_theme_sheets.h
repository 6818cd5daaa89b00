#pragma once
#include <span>

namespace tobu {

// The BMP file of themed sheet `index` (see ThemeSheetSource) as built into the program;
// empty for any other index, and for every index in the browser's build, which paints
// them instead.
std::span<const unsigned char> EmbeddedThemeSheet(int index);

}  // namespace tobu
