#include "present/bitmap_text.h"

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

}  // namespace

int64_t StringAdvance(const std::string& text) {
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
  // Summed wide, so a line far off the view cannot overflow into it.
  int64_t pen = 0;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code == ' ') pen += GlyphAdvance;
    if (code < FirstGlyph || code > LastGlyph) continue;
    pen += Advance(code);
    const int64_t left = x + pen;
    if (left > std::numeric_limits<int>::max()) continue;
    display.DrawFrame(SheetFont, static_cast<int>(left), y, code - FirstGlyph);
  }
}

}  // namespace tobu
