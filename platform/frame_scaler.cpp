#include "platform/frame_scaler.h"

#include <cstring>

namespace tobu {
FrameScaler::FrameScaler(const PixelLayout& layout) : layout_(layout) {}

// Plain arithmetic rather than a table, so the compiler converts several pixels at once.
void FrameScaler::ConvertRow(const uint16_t* source) {
  const PixelLayout layout = layout_;
  for (int x = 0; x < ViewWidth; ++x) {
    const uint32_t pixel = source[x];
    const uint32_t red = pixel >> 11;
    const uint32_t green = (pixel >> 5) & 0x3F;
    const uint32_t blue = pixel & 0x1F;
    row_[x] = (((red << 3) | (red >> 2)) << layout.RedShift) |
              (((green << 2) | (green >> 4)) << layout.GreenShift) |
              (((blue << 3) | (blue >> 2)) << layout.BlueShift) | layout.Opaque;
  }
}

void FrameScaler::Draw(const FrameBuffer& frame, uint32_t* target, int pitch, int width, int height) {
  if (columns_.size() != static_cast<size_t>(width)) {
    columns_.resize(width);
    for (int x = 0; x < width; ++x) columns_[x] = static_cast<int>(int64_t{x} * ViewWidth / width);
  }
  int lastSourceRow = -1;
  for (int y = 0; y < height; ++y, target += pitch) {
    const int sourceRow = static_cast<int>(int64_t{y} * ViewHeight / height);
    if (sourceRow == lastSourceRow) {  // enlarged: the row above again
      std::memcpy(target, target - pitch, sizeof(uint32_t) * width);
      continue;
    }
    lastSourceRow = sourceRow;
    ConvertRow(frame.data() + sourceRow * ViewWidth);
    for (int x = 0; x < width; ++x) target[x] = row_[columns_[x]];
  }
}

}  // namespace tobu
