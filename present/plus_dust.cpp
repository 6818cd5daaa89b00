#include "present/plus_dust.h"

#include <algorithm>
#include <array>

#include "present/themes.h"

namespace tobu {

uint16_t DustColour(int theme) {
  // RGB565: pale earth, warm dust, stone grey, snow powder.
  constexpr std::array<uint16_t, ThemeCount> Colours{0xE695, 0xD552, 0xAD55, 0xFFFF};
  return Colours[static_cast<size_t>(std::clamp(theme, 0, ThemeCount - 1))];
}

void DrawDust(Display& display, ViewCamera camera, const std::vector<DustMote>& motes, int theme) {
  const uint16_t colour = DustColour(theme);
  for (const DustMote& mote : motes) {
    // A puff spreads as it thins out.
    const int32_t size = mote.Size + 3 * mote.Age / mote.Life;
    const auto amount = static_cast<uint8_t>(230 * (mote.Life - mote.Age) / mote.Life);
    const int32_t x = mote.X / 16 - camera.X - size / 2, y = mote.Y / 16 - camera.Y - size / 2;
    // A square with its corners cut: three bands, so that no pixel is mixed twice.
    display.BlendRect(x + 1, y, size - 2, 1, colour, amount);
    display.BlendRect(x, y + 1, size, size - 2, colour, amount);
    display.BlendRect(x + 1, y + size - 1, size - 2, 1, colour, amount);
  }
}

}  // namespace tobu
