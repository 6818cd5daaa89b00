#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tobu {

// A line of text as coverage values (0 = background, 255 = full ink), row by row.
struct TextMask {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Coverage;
};

// Renders the editor's prompt line. The platform offers a real 8-point font; the
// built-in fallback (MakeFallbackCanvasFont) is used when no font can be found.
class CanvasFont {
public:
  virtual ~CanvasFont() = default;
  virtual TextMask Render(const std::string& text) = 0;
};

} // namespace tobu
