#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "present/display.h"

namespace tobu {

// tobu plus's card: an opaque slate panel in a gold frame, with a shadow below and to
// the right, so nothing of the screen beneath competes with its text.
void DrawPlusPanel(Display& display, int x, int y, int width, int height);

// A card sized from its text and centred across the view, its top at `top`: `titles` in
// the bitmap font, one under the other, then `notes` in the canvas font. A text too wide
// for the view makes the card as wide as the view allows.
void DrawTextCard(Display& display, int top, const std::vector<std::string>& titles,
                  const std::vector<std::string>& notes = {});

// A name being typed: the text in the bitmap font in a box `width` wide with its top-left
// at (x, y), a steady caret after it, and under the box's right end how much of `limit`
// the name uses ("5 / 8"), or "8 letters at most" once it is full.
// `selected`: the text is drawn on the highlight, as a name the next letter replaces.
void DrawNameField(Display& display, int x, int y, int width, const std::string& text, size_t limit,
                   bool selected = false);
constexpr int NameFieldHeight = 27;  // the box; the count line is 14 more

// One line on a dark band `width` wide with its top-left at (x, y), the text centred: what
// a name field takes, after a character it refused.
void DrawFieldHint(Display& display, int x, int y, int width, const std::string& text);
constexpr int FieldHintHeight = 16;

}  // namespace tobu
