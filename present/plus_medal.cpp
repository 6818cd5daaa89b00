#include "present/plus_medal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "present/bitmap_text.h"
#include "present/plus_palette.h"
#include "present/plus_panel.h"
#include "present/plus_view.h"

namespace tobu {
namespace {

// Each medal's metal and its rim, by Medal.
struct Metal {
  uint16_t Fill, Rim;
};
constexpr Metal Metals[] = {{0, 0}, {0xCBE6, 0x6180}, {0xD69A, 0x4A49}, {0xFEA0, 0x8200}};

// The star's ten corners, points and notches in turn, the first point straight up.
std::array<std::array<double, 2>, 10> StarCorners(double cx, double cy, double radius) {
  std::array<std::array<double, 2>, 10> corners{};
  for (size_t i = 0; i < corners.size(); ++i) {
    const double reach = i % 2 == 0 ? radius : radius * 0.4;
    const double angle = std::numbers::pi * static_cast<double>(i) / 5.0;
    corners[i] = {cx + reach * std::sin(angle), cy - reach * std::cos(angle)};
  }
  return corners;
}

// Fills the star row by row: between each pair of edge crossings of the row's middle.
void FillStar(Display& display, double cx, double cy, double radius, uint16_t colour) {
  const auto corners = StarCorners(cx, cy, radius);
  const int32_t top = static_cast<int32_t>(std::floor(cy - radius));
  const int32_t bottom = static_cast<int32_t>(std::ceil(cy + radius));
  for (int32_t y = top; y <= bottom; ++y) {
    const double middle = y + 0.5;
    std::array<double, 10> crossings{};
    size_t count = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
      const auto& a = corners[i];
      const auto& b = corners[(i + 1) % corners.size()];
      if ((a[1] <= middle) == (b[1] <= middle)) continue;
      crossings[count++] = a[0] + (middle - a[1]) * (b[0] - a[0]) / (b[1] - a[1]);
    }
    std::sort(crossings.begin(), crossings.begin() + static_cast<std::ptrdiff_t>(count));
    for (size_t i = 0; i + 1 < count; i += 2) {
      const auto left = static_cast<int32_t>(std::nearbyint(crossings[i]));
      const auto right = static_cast<int32_t>(std::nearbyint(crossings[i + 1]));
      if (right > left) display.FillRect(left, y, right - left, 1, colour);
    }
  }
}

}  // namespace

void DrawStar(Display& display, int32_t cx, int32_t cy, int32_t radius, Medal medal) {
  if (radius <= 0 || medal == Medal::None) return;
  const Metal& metal = Metals[static_cast<size_t>(medal)];
  FillStar(display, cx + 0.5, cy + 0.5, radius + 2.0, metal.Rim);
  FillStar(display, cx + 0.5, cy + 0.5, radius, metal.Fill);
}

void ShowStringWithStar(Display& display, int32_t y, const std::string& text, Medal medal) {
  if (medal == Medal::None) return ShowString(display, -1, y, text);
  constexpr int32_t StarRadius = 10, Gap = 8;
  const int32_t width = StringWidth(text);
  const int32_t x = (ViewWidth - width - Gap - 2 * StarRadius) / 2;
  ShowString(display, x, y, text);
  DrawStar(display, x + width + Gap + StarRadius, y + 11, StarRadius, medal);
}

void DrawEndingCard(Display& display, const EndingCard& card) {
  // The results behind stand back, so that the card is plainly on top of them.
  display.BlendRect(0, 0, ViewWidth, ViewHeight, palette::Black, 160);
  DrawConfettiRain(display, card.Age);
  constexpr int32_t Width = 480, LineHeight = 32;
  const int32_t height = 104 + LineHeight * static_cast<int32_t>(card.Lines.size());
  const int32_t left = (ViewWidth - Width) / 2, top = (ViewHeight - height) / 2;
  DrawPlusPanel(display, left, top, Width, height);
  ShowString(display, -1, top + 20, card.Title);
  for (size_t i = 0; i < card.Lines.size(); ++i) {
    const int32_t y = top + 64 + LineHeight * static_cast<int32_t>(i);
    ShowStringWithStar(display, y, card.Lines[i], i + 1 == card.Lines.size() ? Medal::Gold : Medal::None);
  }
  display.DrawCanvasText(left + Width / 2 - 45, top + height - 24, "Any key goes on", palette::LabelGrey);
}

}  // namespace tobu
