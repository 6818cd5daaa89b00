#include "present/plus_panel.h"

#include "present/bitmap_text.h"
#include "present/plus_palette.h"

namespace tobu {

void DrawPlusPanel(Display& display, int x, int y, int width, int height) {
  constexpr int Shadow = 5;
  display.BlendRect(x + Shadow, y + height, width, Shadow, palette::Black, 160);
  display.BlendRect(x + width, y + Shadow, Shadow, height - Shadow, palette::Black, 160);
  display.FillRect(x, y, width, height, palette::PanelFill);
  display.OutlineRect(x, y, width, height, palette::PanelInner);
  display.OutlineRect(x + 1, y + 1, width - 2, height - 2, palette::PanelEdge);
  display.OutlineRect(x + 2, y + 2, width - 4, height - 4, palette::PanelEdge);
  display.OutlineRect(x + 3, y + 3, width - 6, height - 6, palette::PanelInner);
}

void DrawNameField(Display& display, int x, int y, int width, const std::string& text, size_t limit,
                   bool selected) {
  constexpr int Inset = 6;
  constexpr int FirstAdvance = 15;  // ShowString draws its first glyph one advance right of x
  display.FillRect(x, y, width, NameFieldHeight, palette::Black);
  display.OutlineRect(x, y, width, NameFieldHeight, palette::PanelEdge);
  if (selected && !text.empty()) {
    display.FillRect(x + Inset - 2, y + 3, static_cast<int>(StringAdvance(text)) + 4, NameFieldHeight - 6,
                     palette::Highlight);
  }
  ShowString(display, x + Inset - FirstAdvance, y + 3, text);
  const int caretX = x + Inset + static_cast<int>(StringAdvance(text)) + 2;
  display.FillRect(caretX, y + 4, 3, NameFieldHeight - 8, palette::White);
  const std::string count = text.size() >= limit
                                ? std::to_string(limit) + " letters at most"
                                : std::to_string(text.size()) + " / " + std::to_string(limit);
  // Right-aligned as well as a width guessed at 6 pixels a character allows.
  display.DrawCanvasText(x + width - 6 * static_cast<int>(count.size()), y + NameFieldHeight + 3, count);
}

}  // namespace tobu
