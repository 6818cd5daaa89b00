#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tobu {

// `text` in at most `most` lines of the bitmap font, none wider than `width` as
// StringWidth measures it: broken after a space, '-' or '_' where one leaves room, inside
// a word too long for a line, and at any character when breaking at words takes more
// than `most` lines. What still does not fit is cut, the last line ending in "..".
std::vector<std::string> FitLines(const std::string& text, int32_t width, size_t most);

}  // namespace tobu
