#pragma once
#include <string>
#include <string_view>

namespace tobu {

// `text`, a settings file, with the game's setting `key` set to `value`: the line that
// gives it its value (the last one, as the reader takes the last) gets the new value
// and keeps its key, spacing and comment; a setting without a line gets one at the end
// of the game's section. Every other line stays byte for byte.
std::string WithSettingLine(std::string text, std::string_view key, std::string_view value);

}  // namespace tobu
