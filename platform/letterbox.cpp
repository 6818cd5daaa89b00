#include "platform/letterbox.h"

#include <algorithm>
#include <cstdint>

#include "present/display.h"

namespace tobu {
namespace {

// Rounds toward minus infinity, so the pixels left of the frame map below 0 evenly.
int FloorDivide(int64_t numerator, int64_t denominator) {
  int64_t quotient = numerator / denominator;
  if (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) --quotient;
  return static_cast<int>(quotient);
}

// Nearest-pixel sampling: window pixel `offset` of a frame `size` wide shows frame pixel
// offset * view / size, the same rule the scaler draws with.
int ToFrame(int offset, int size, int view) { return FloorDivide(int64_t{offset} * view, size); }

}  // namespace

FrameRect FitFrame(int windowWidth, int windowHeight, bool wholeMultiplesOnly) {
  const int width = std::max(1, windowWidth);
  const int height = std::max(1, windowHeight);
  const int whole = std::min(width / ViewWidth, height / ViewHeight);
  const int64_t stretchedWidth = std::min<int64_t>(width, int64_t{height} * ViewWidth / ViewHeight);
  FrameRect frame;
  if (whole >= 1 && (wholeMultiplesOnly || 100 * int64_t{whole} * ViewWidth >= 85 * stretchedWidth)) {
    frame.Width = whole * ViewWidth;
    frame.Height = whole * ViewHeight;
  } else if (int64_t{width} * ViewHeight <= int64_t{height} * ViewWidth) {
    frame.Width = width;
    frame.Height = std::max(1, static_cast<int>(int64_t{width} * ViewHeight / ViewWidth));
  } else {
    frame.Width = std::max(1, static_cast<int>(int64_t{height} * ViewWidth / ViewHeight));
    frame.Height = height;
  }
  frame.X = (width - frame.Width) / 2;
  frame.Y = (height - frame.Height) / 2;
  return frame;
}

FramePoint WindowToFrame(const FrameRect& frame, int x, int y) {
  return {ToFrame(x - frame.X, std::max(1, frame.Width), ViewWidth),
          ToFrame(y - frame.Y, std::max(1, frame.Height), ViewHeight)};
}

bool InsideFrame(const FramePoint& point) {
  return point.X >= 0 && point.X < ViewWidth && point.Y >= 0 && point.Y < ViewHeight;
}

FramePoint ClampToFrame(const FramePoint& point) {
  return {std::clamp(point.X, 0, ViewWidth - 1), std::clamp(point.Y, 0, ViewHeight - 1)};
}

}  // namespace tobu
