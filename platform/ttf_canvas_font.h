#pragma once
#include <memory>

#include "present/canvas_font.h"

namespace tobu {

// The editor prompt's font: DejaVu Sans at 8 points (96 dpi) through SDL2_ttf. Needs
// only TTF, not SDL's video. Null when TTF or the font is missing, so the display
// falls back to its built-in font and the game never fails for want of one.
std::unique_ptr<CanvasFont> OpenTtfCanvasFont();

}  // namespace tobu
