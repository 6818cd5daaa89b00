#pragma once
#include <cstdint>

#include "present/display.h"
#include "world/world.h"

namespace tobu {

constexpr uint16_t GridLineColour = 0x8410;  // mid grey, RGB565
constexpr uint16_t WorldEndColour = 0xF800;  // red: the last border of the 101 x 101 cells

// The editor's grid: a one-pixel line on every cell border in view, across the cells
// only, and a red one where the grid ends (x 4040, y 3131).
void DrawCellGrid(Display& display, const World& world);

}  // namespace tobu
