#pragma once
#include <cstdint>
#include <string>

#include "present/display.h"

namespace tobu {

// One line in the bitmap font with the glyph tops at y; x = -1 centres it on the view.
void ShowString(Display& display, int32_t x, int32_t y, const std::string& text);
// How far ShowString moves its pen over `text`: its last glyph is drawn that far right of x.
int64_t StringAdvance(const std::string& text);

}  // namespace tobu
