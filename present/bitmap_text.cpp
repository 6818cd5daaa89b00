#include "present/bitmap_text.h"

#include <algorithm>
#include <limits>

#include "present/sheets.h"

namespace tobu {
namespace {

constexpr int32_t GlyphAdvance = 15;
constexpr unsigned char FirstGlyph = 33;  // "!" is frame 0
constexpr unsigned char LastGlyph = 122;  // "z" is frame 89

// The narrow glyphs move the pen less: . , ' : ; ! by 8 and l ( ) [ ] by 12.
int32_t Advance(unsigned char code) {
  switch (code) {
    case '.':
    case ',':
    case '\'':
    case ':':
    case ';':
    case '!':
      return GlyphAdvance - 7;
    case 'l':
    case '(':
    case ')':
    case '[':
    case ']':
      return GlyphAdvance - 3;
    default:
      return GlyphAdvance;
  }
}

// Each glyph of the line with the left edge it is drawn at, x + pen.
template <typename DrawGlyph>
void ForEachGlyph(int32_t x, const std::string& text, DrawGlyph draw) {
  // Summed wide, so a line far off the view cannot overflow into it.
  int64_t pen = 0;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code == ' ') pen += GlyphAdvance;
    if (code < FirstGlyph || code > LastGlyph) continue;
    pen += Advance(code);
    const int64_t left = x + pen;
    if (left > std::numeric_limits<int>::max()) continue;
    draw(static_cast<int>(left), code - FirstGlyph);
  }
}

constexpr int32_t GlyphWidth = 15;

}  // namespace

int64_t StringAdvance(std::string_view text) {
  int64_t pen = 0;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code == ' ') pen += GlyphAdvance;
    if (code >= FirstGlyph && code <= LastGlyph) pen += Advance(code);
  }
  return pen;
}

void ShowString(Display& display, int32_t x, int32_t y, const std::string& text) {
  if (!text.empty() && x == -1) x = 320 - static_cast<int32_t>(text.size() * GlyphAdvance / 2);
  ForEachGlyph(x, text, [&](int left, int frame) { display.DrawFrame(SheetFont, left, y, frame); });
}

// A glyph is drawn at the pen after its own advance; what follows the last one adds nothing.
int32_t StringWidth(std::string_view text) {
  const auto lastGlyph = std::find_if(text.rbegin(), text.rend(), [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= FirstGlyph && code <= LastGlyph;
  });
  if (lastGlyph == text.rend()) return 0;
  const size_t length = text.size() - static_cast<size_t>(lastGlyph - text.rbegin());
  return static_cast<int32_t>(StringAdvance(text.substr(0, length)) + GlyphWidth);
}

namespace {

// The outline under a line: four neighbours are enough for a line one pixel wide, at
// half the cost of eight. Returns the line's left edge.
int32_t DrawOutline(Display& display, int32_t x, int32_t y, const std::string& text) {
  constexpr uint16_t Black = 0x0000;
  if (x == -1) x = (ViewWidth - StringWidth(text)) / 2;
  ForEachGlyph(x, text, [&](int left, int frame) {
    display.DrawFrameSilhouette(SheetFont, left - 1, y, frame, Black);
    display.DrawFrameSilhouette(SheetFont, left + 1, y, frame, Black);
    display.DrawFrameSilhouette(SheetFont, left, y - 1, frame, Black);
    display.DrawFrameSilhouette(SheetFont, left, y + 1, frame, Black);
  });
  return x;
}

}  // namespace

void ShowOutlinedString(Display& display, int32_t x, int32_t y, const std::string& text) {
  x = DrawOutline(display, x, y, text);
  ForEachGlyph(x, text, [&](int left, int frame) { display.DrawFrame(SheetFont, left, y, frame); });
}

void ShowOutlinedString(Display& display, int32_t x, int32_t y, const std::string& text, uint16_t colour) {
  x = DrawOutline(display, x, y, text);
  ForEachGlyph(x, text,
               [&](int left, int frame) { display.DrawFrameSilhouette(SheetFont, left, y, frame, colour); });
}

void ShowStringScaled(Display& display, int32_t x, int32_t y, const std::string& text, int32_t factor) {
  if (x == -1) x = ViewWidth / 2 - StringWidth(text) * factor / 2;
  ForEachGlyph(0, text, [&](int left, int frame) {
    display.DrawFrameScaled(SheetFont, x + left * factor, y, frame, factor);
  });
}

}  // namespace tobu
