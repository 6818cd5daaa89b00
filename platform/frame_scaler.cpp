#include "platform/frame_scaler.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tobu {
namespace {

// Writes a converted row twice as wide into two target rows with stores that go straight
// to memory: the X server reads the surface, this process never does, so fetching its
// lines into the cache first (as ordinary stores must) would be wasted. Returns false
// where it cannot (no SSE2, or rows not on 16-byte boundaries).
bool StreamDoubledRow(const uint32_t* row, uint32_t* target, int pitch) {
#if defined(__SSE2__)
  if (reinterpret_cast<uintptr_t>(target) % 16 != 0 || pitch % 4 != 0) return false;
  for (uint32_t* out : {target, target + pitch}) {
    for (int x = 0; x < ViewWidth; x += 4) {
      const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
      _mm_stream_si128(reinterpret_cast<__m128i*>(out + 2 * x), _mm_unpacklo_epi32(four, four));
      _mm_stream_si128(reinterpret_cast<__m128i*>(out + 2 * x + 4), _mm_unpackhi_epi32(four, four));
    }
  }
  return true;
#else
  (void)row, (void)target, (void)pitch;
  return false;
#endif
}

// Orders the streamed stores before the surface is handed to the X server.
void FinishStreaming() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

}  // namespace

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

// Target row y shows frame row y * 480 / height, so the first target row of frame row r is
// the smallest y with y * 480 >= r * height.
WindowRows RowsInWindow(int first, int end, int height) {
  const auto firstOf = [height](int row) {
    return static_cast<int>((int64_t{row} * height + ViewHeight - 1) / ViewHeight);
  };
  return {firstOf(first), firstOf(end)};
}

void FrameScaler::DrawRows(const FrameBuffer& frame, int first, int end, uint32_t* target, int pitch,
                           int width, int height) {
  first = std::clamp(first, 0, ViewHeight);
  end = std::clamp(end, first, ViewHeight);
  const int scale = width / ViewWidth;
  if (scale >= 1 && width == scale * ViewWidth && height == scale * ViewHeight) {
    DrawWholeMultiple(frame, first, end, target, pitch, scale);
    return;
  }
  if (columns_.size() != static_cast<size_t>(width)) {
    columns_.resize(width);
    for (int x = 0; x < width; ++x) columns_[x] = static_cast<int>(int64_t{x} * ViewWidth / width);
  }
  const WindowRows rows = RowsInWindow(first, end, height);
  int lastSourceRow = -1;
  target += static_cast<ptrdiff_t>(rows.First) * pitch;
  for (int y = rows.First; y < rows.End; ++y, target += pitch) {
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

// Each frame pixel becomes a square of `scale` x `scale`: converted once, widened along
// the row in the same pass, and the row copied below itself, with no column table.
void FrameScaler::DrawWholeMultiple(const FrameBuffer& frame, int first, int end, uint32_t* target, int pitch,
                                    int scale) {
  const auto rowBytes = sizeof(uint32_t) * static_cast<size_t>(ViewWidth * scale);
  target += static_cast<ptrdiff_t>(first) * scale * pitch;
  for (int y = first; y < end; ++y) {
    ConvertRow(frame.data() + y * ViewWidth);
    if (scale == 2 && StreamDoubledRow(row_.data(), target, pitch)) {
      target += 2 * pitch;
      continue;
    }
    if (scale == 1) {
      std::memcpy(target, row_.data(), rowBytes);
    } else if (scale == 2) {
      for (int x = 0; x < ViewWidth; ++x) {  // written so the compiler interleaves whole vectors
        target[2 * x] = row_[x];
        target[2 * x + 1] = row_[x];
      }
    } else {
      for (int x = 0; x < ViewWidth; ++x) std::fill_n(target + x * scale, scale, row_[x]);
    }
    for (int copy = 1; copy < scale; ++copy) std::memcpy(target + copy * pitch, target, rowBytes);
    target += scale * pitch;
  }
  FinishStreaming();
}

}  // namespace tobu
