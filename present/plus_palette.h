// tobu plus's colours (RGB565), one set for its menus, cards, editor and run.
#pragma once
#include <cstdint>

namespace tobu::palette {

constexpr uint16_t Black = 0x0000;
constexpr uint16_t White = 0xFFFF;
constexpr uint16_t Grey = 0x8410;
constexpr uint16_t Red = 0xF800;
constexpr uint16_t Yellow = 0xFFE0;
constexpr uint16_t Green = 0x07E0;      // the finished mark
constexpr uint16_t LabelGrey = 0xBDF7;  // labels and the best time: quieter than the clock
constexpr uint16_t Silver = 0xD69A;     // the HUD's best time: readable, quieter than the clock's gold
constexpr uint16_t Orange = 0xFD20;     // the editor's unsaved dot
constexpr uint16_t Highlight = 0x2A7F;  // a chosen row in a list
constexpr uint16_t AmberBand = 0x6180;  // behind the player's own places
constexpr uint16_t FailureRed = 0x9000;  // behind the message of a failed save or open
// The cards: a dark slate panel with a gold frame, the gold of the bitmap font.
constexpr uint16_t PanelFill = 0x10E4;
constexpr uint16_t PanelEdge = 0xED86;
constexpr uint16_t PanelInner = 0x6202;
// How far a band darkens what lies under it, of 255.
constexpr uint8_t BackingAmount = 176;

}  // namespace tobu::palette
