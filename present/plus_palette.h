// The few colours tobu plus draws with beyond the game's own art, in RGB565.
#pragma once
#include <cstdint>

namespace tobu::plus_palette {

constexpr uint16_t Black = 0x0000;
constexpr uint16_t White = 0xFFFF;
constexpr uint16_t Red = 0xF800;
constexpr uint16_t Yellow = 0xFFE0;
constexpr uint16_t Green = 0x07E0;
constexpr uint16_t LabelGrey = 0xBDF7;  // labels and the best time: quieter than the clock
constexpr uint8_t BackingAmount = 176;  // how far a band darkens what lies under it, of 255

}  // namespace tobu::plus_palette
