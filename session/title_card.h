#pragma once
#include <cstdint>

#include "present/software_display.h"

namespace tobu {

// The version the title shows and `tobu --version` prints.
constexpr const char* GameVersion = "1.0";

// The title, shown when the game starts with plus on: the game's name in the letters of
// its own font, four times their size; a runner crossing a strip of grass past three
// apples (eaten as it passes) to a daisy; "Press any key", blinking; the version in the
// bottom-right corner. `tick` (from 0) moves the scene: two pixels a tick.
void DrawTitleCard(SoftwareDisplay& display, int64_t tick);

}  // namespace tobu
