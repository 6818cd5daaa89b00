#pragma once
#include <cstdint>
#include <memory>
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

// A small built-in 5 x 7 pixel font for the codes 32..126; other codes show a box.
std::unique_ptr<CanvasFont> MakeFallbackCanvasFont();

}  // namespace tobu
