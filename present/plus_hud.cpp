#include "present/plus_hud.h"

#include <optional>

#include "present/bitmap_text.h"
#include "present/plus_palette.h"
#include "present/sheets.h"

namespace tobu {
namespace {

namespace colour = palette;
constexpr int32_t Padding = 8;     // inside a panel, before its first and after its last item
constexpr int32_t IconSize = 20;   // the food and daisy pictures at half size
constexpr int32_t LabelDrop = 11;  // the small labels' top below the panel's
constexpr int32_t GlyphDrop = 5;   // the large text's top below the panel's
constexpr int32_t LeftWordWidth = 26;
constexpr uint8_t FadedBacking = 40;  // what is left of the backing over something passing under

bool Faded(int32_t fade) { return fade * 2 >= HudFadeTicks; }

// The panel's dark backing, lighter as it fades, with a thin edge while solid.
void DrawBacking(Display& display, const HudRect& panel, int32_t fade) {
  const int32_t amount = colour::BackingAmount - (colour::BackingAmount - FadedBacking) * fade / HudFadeTicks;
  display.BlendRect(panel.X, panel.Y, panel.Width, panel.Height, colour::Black, static_cast<uint8_t>(amount));
  if (!Faded(fade)) display.OutlineRect(panel.X, panel.Y, panel.Width, panel.Height, colour::PanelInner);
}

// A value in the large font, outlined and at full strength however faded its panel is:
// the count and the clock must read over whatever passes under. `tint` replaces the gold.
void DrawValue(Display& display, int32_t x, int32_t y, const std::string& text,
               std::optional<uint16_t> tint = std::nullopt) {
  if (tint) return ShowOutlinedString(display, x, y, text, *tint);
  ShowOutlinedString(display, x, y, text);
}

// A small label; once its backing has faded a black shadow keeps it readable over sky or rock.
void DrawLabel(Display& display, int32_t x, int32_t y, const char* text, int32_t fade, uint16_t tint) {
  if (Faded(fade)) {
    display.DrawCanvasText(x + 1, y + 1, text, colour::Black);
    display.DrawCanvasText(x - 1, y, text, colour::Black);
  }
  display.DrawCanvasText(x, y, text, tint);
}

// A small padlock over the locked daisy's lower right: a grey shackle on a gold body.
void DrawPadlock(Display& display, int32_t x, int32_t y) {
  display.OutlineRect(x + 1, y - 1, 7, 7, colour::Black);
  display.OutlineRect(x + 2, y, 5, 6, colour::LabelGrey);
  display.FillRect(x - 1, y + 3, 11, 9, colour::Black);
  display.FillRect(x, y + 4, 9, 7, colour::PanelEdge);
  display.FillRect(x + 4, y + 6, 1, 3, colour::Black);
}

// A green tick over the open daisy's lower right, outlined in black.
void DrawTick(Display& display, int32_t x, int32_t y) {
  constexpr int32_t Stroke[][2] = {{0, 4}, {1, 5}, {2, 6}, {3, 5}, {4, 4}, {5, 3}, {6, 2}, {7, 1}, {8, 0}};
  for (const auto& p : Stroke) display.FillRect(x + p[0] - 1, y + p[1] - 1, 4, 4, colour::Black);
  for (const auto& p : Stroke) display.FillRect(x + p[0], y + p[1], 2, 2, colour::Green);
}

void DrawDaisy(Display& display, int32_t x, int32_t y, bool open, int32_t openFrame) {
  if (open) {
    display.DrawFrameHalfSize(SheetExit, x, y, openFrame);
    return DrawTick(display, x + 11, y + 11);
  }
  display.DrawFrameHalfSize(SheetExit, x, y, 0);
  display.BlendRect(x, y, IconSize, IconSize, colour::Black, 64);
  DrawPadlock(display, x + 13, y + 10);
}

// A time on the right of panel `place`, its label on the left: the best time and the clock.
void DrawTimePanel(Display& display, const PlusHud& hud, HudPanel place, const char* label,
                   uint16_t labelTint, const std::string& time, std::optional<uint16_t> timeTint) {
  const HudRect& panel = HudPanels[place];
  const int32_t fade = hud.Fade[place];
  DrawBacking(display, panel, fade);
  DrawLabel(display, panel.X + Padding, panel.Y + LabelDrop, label, fade, labelTint);
  const int32_t x = panel.X + panel.Width - Padding - StringWidth(time);
  DrawValue(display, x, panel.Y + GlyphDrop, time, timeTint);
}

// Food icon, "3/7", "left", the daisy, centred in the panel. The word says which way
// the count runs: "2/2" alone read as every apple already eaten.
void DrawFoodPanel(Display& display, const PlusHud& hud) {
  const HudRect& panel = HudPanels[HudFoodPanel];
  const int32_t fade = hud.Fade[HudFoodPanel];
  DrawBacking(display, panel, fade);
  const std::string count = std::to_string(hud.FoodLeft) + "/" + std::to_string(hud.FoodTotal);
  const int32_t groupWidth = IconSize + StringWidth(count) + 4 + LeftWordWidth + IconSize;
  const int32_t left = panel.X + (panel.Width - groupWidth) / 2;
  const int32_t iconTop = panel.Y + (panel.Height - IconSize) / 2;
  display.DrawFrameHalfSize(SheetFood, left, iconTop, 0);
  DrawValue(display, left + IconSize - 4, panel.Y + GlyphDrop, count);
  DrawLabel(display, left + IconSize + StringWidth(count), panel.Y + LabelDrop, "left", fade,
            colour::LabelGrey);
  DrawDaisy(display, left + groupWidth - IconSize, iconTop, hud.FoodLeft == 0, hud.ExitFrame);
}

}  // namespace

void DrawPlusHud(Display& display, const PlusHud& hud) {
  if (!hud.Best.empty())
    DrawTimePanel(display, hud, HudBestPanel, "Best", colour::LabelGrey, hud.Best, colour::Silver);
  DrawFoodPanel(display, hud);
  DrawTimePanel(display, hud, HudClockPanel, "Time", colour::White, hud.Time, std::nullopt);
}

}  // namespace tobu
