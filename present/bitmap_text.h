#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "present/display.h"

namespace tobu {

// One line in the bitmap font with the glyph tops at y; x = -1 centres it on the view.
void ShowString(Display& display, int32_t x, int32_t y, const std::string& text);
// How far ShowString moves its pen over `text`: its last glyph is drawn that far right of x.
int64_t StringAdvance(std::string_view text);
// The pixels from x to the right edge of the line's last glyph.
int32_t StringWidth(std::string_view text);
// The line with a one-pixel black outline, readable over any sky; x = -1 centres it.
void ShowOutlinedString(Display& display, int32_t x, int32_t y, const std::string& text);
// The same, the glyphs all in `colour` instead of the font's gold.
void ShowOutlinedString(Display& display, int32_t x, int32_t y, const std::string& text, uint16_t colour);
// The line `factor` times its size; x = -1 centres it.
void ShowStringScaled(Display& display, int32_t x, int32_t y, const std::string& text, int32_t factor);

}  // namespace tobu
