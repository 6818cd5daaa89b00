#include "present/plus_panel.h"

#include <algorithm>

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

namespace {

constexpr int TitleHeight = 24, NoteHeight = 16, CardPadding = 20;

// Where the ink of a bitmap line starts right of the x it is drawn at: ShowString moves
// the pen by the first glyph before drawing it.
int InkStart(const std::string& text) {
  return text.empty() ? 0 : static_cast<int>(StringAdvance(text.substr(0, 1)));
}

int InkWidth(const std::string& text) { return StringWidth(text) - InkStart(text); }

}  // namespace

void DrawTextCard(Display& display, int top, const std::vector<std::string>& titles,
                  const std::vector<std::string>& notes) {
  int inner = 0;
  for (const std::string& title : titles) inner = std::max(inner, InkWidth(title));
  for (const std::string& note : notes)
    inner = std::max(inner, CanvasAdvance * static_cast<int>(note.size()));
  const int width = std::min(ViewWidth - 16, inner + 2 * CardPadding);
  const int height = 24 + TitleHeight * static_cast<int>(titles.size()) +
                     (notes.empty() ? 0 : 6 + NoteHeight * static_cast<int>(notes.size()));
  const int left = (ViewWidth - width) / 2;
  DrawPlusPanel(display, left, top, width, height);
  int y = top + 12;
  for (const std::string& title : titles) {
    ShowString(display, (ViewWidth - InkWidth(title)) / 2 - InkStart(title), y, title);
    y += TitleHeight;
  }
  y += 6;
  for (const std::string& note : notes) {
    const int noteWidth = CanvasAdvance * static_cast<int>(note.size());
    display.DrawCanvasText(std::max(left + 8, (ViewWidth - noteWidth) / 2), y, note);
    y += NoteHeight;
  }
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
  display.DrawCanvasText(x + width - CanvasAdvance * static_cast<int>(count.size()), y + NameFieldHeight + 3, count);
}

void DrawFieldHint(Display& display, int x, int y, int width, const std::string& text) {
  display.FillRect(x, y, width, FieldHintHeight, palette::PanelInner);
  const int textWidth = CanvasAdvance * static_cast<int>(text.size());
  display.DrawCanvasText(x + std::max(4, (width - textWidth) / 2), y + 2, text);
}

}  // namespace tobu
