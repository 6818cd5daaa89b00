#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "present/software_display.h"

namespace tobu {

// Where red, green and blue sit in a 32-bit pixel with 8 bits each, and the bits set in
// every pixel (the other 8: an opaque alpha, or unused and set as SDL sets them).
struct PixelLayout {
  int RedShift = 16;
  int GreenShift = 8;
  int BlueShift = 0;
  uint32_t Opaque = 0;
};

// The target rows First to End - 1 of a picture `height` rows high show frame rows
// first to end - 1.
struct WindowRows {
  int First = 0;
  int End = 0;
  bool operator==(const WindowRows&) const = default;
};
WindowRows RowsInWindow(int first, int end, int height);

// Converts the RGB565 frame to 32-bit pixels and scales it in the same pass with
// nearest-pixel sampling: target pixel (x, y) of a width x height picture shows frame
// pixel (x * 640 / width, y * 480 / height), the rule the mouse is mapped back with.
// Colours widen by repeating their top bits below, so black and white stay exact.
class FrameScaler {
 public:
  explicit FrameScaler(const PixelLayout& layout);

  // `pitch` is the distance between the target's rows, in pixels.
  void Draw(const FrameBuffer& frame, uint32_t* target, int pitch, int width, int height) {
    DrawRows(frame, 0, ViewHeight, target, pitch, width, height);
  }
  // Draws only the target rows that show frame rows first to end - 1, the rest untouched.
  void DrawRows(const FrameBuffer& frame, int first, int end, uint32_t* target, int pitch, int width,
                int height);

 private:
  void ConvertRow(const uint16_t* source);
  void DrawWholeMultiple(const FrameBuffer& frame, int first, int end, uint32_t* target, int pitch,
                         int scale);

  PixelLayout layout_;
  std::array<uint32_t, ViewWidth> row_{};  // one frame row, converted
  std::vector<int> columns_;               // frame column of each target column
};

}  // namespace tobu
