#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tobu {

// `text` in at most `most` lines of the bitmap font, none wider than `width` as
// StringWidth measures it: broken after a space, '-' or '_' where one leaves room, and
// inside a word only when the word is longer than a line, so that no shorter word is
// split. What does not fit is cut, the last line ending in "..".
std::vector<std::string> FitLines(const std::string& text, int32_t width, size_t most);

}  // namespace tobu
