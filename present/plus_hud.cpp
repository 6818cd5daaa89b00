#include "present/plus_hud.h"

#include "present/bitmap_text.h"
#include "present/plus_palette.h"
#include "present/sheets.h"

namespace tobu {
namespace {

namespace colour = palette;
constexpr int32_t Margin = 8;
constexpr int32_t IconSize = 20;   // the food and daisy pictures at half size
constexpr int32_t LabelDrop = 10;  // the small labels' top below the strip's
constexpr int32_t GlyphDrop = 4;   // the large text's top below the strip's

}  // namespace

void DrawPlusHud(Display& display, const PlusHud& hud, int32_t top) {
  display.BlendRect(0, top, ViewWidth, HudHeight, colour::Black, colour::BackingAmount);
  if (!hud.Best.empty()) {
    display.DrawCanvasText(Margin, top + LabelDrop, "Best " + hud.Best, colour::LabelGrey);
  }
  // The middle group: food icon, "3/7", "left", daisy icon, centred on the view. The word
  // says which way the count runs: "2/2" alone read as every apple already eaten.
  const std::string count = std::to_string(hud.FoodLeft) + "/" + std::to_string(hud.FoodTotal);
  constexpr int32_t LeftWordWidth = 26;
  const int32_t groupWidth = IconSize + StringWidth(count) + 4 + LeftWordWidth + IconSize;
  const int32_t left = (ViewWidth - groupWidth) / 2;
  const int32_t iconTop = top + (HudHeight - IconSize) / 2;
  display.DrawFrameHalfSize(SheetFood, left, iconTop, 0);
  ShowOutlinedString(display, left + IconSize - 4, top + GlyphDrop, count);
  display.DrawCanvasText(left + IconSize + StringWidth(count), top + LabelDrop, "left", colour::LabelGrey);
  const int32_t daisyX = left + groupWidth - IconSize;
  if (hud.FoodLeft == 0) {
    display.DrawFrameHalfSize(SheetExit, daisyX, iconTop, hud.ExitFrame);
  } else {
    display.DrawFrameHalfSize(SheetExit, daisyX, iconTop, 0);
    display.BlendRect(daisyX, iconTop, IconSize, IconSize, colour::Black, 144);
  }
  const int32_t clockX = ViewWidth - Margin - StringWidth(hud.Time);
  display.DrawCanvasText(clockX - 40, top + LabelDrop, "Time", colour::White);
  ShowOutlinedString(display, clockX, top + GlyphDrop, hud.Time);
}

}  // namespace tobu
