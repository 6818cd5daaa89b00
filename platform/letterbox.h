#pragma once

namespace tobu {

// Where the 640 x 480 frame lies in the window, in window pixels.
struct FrameRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const FrameRect&) const = default;
};

struct FramePoint {
  int X = 0;
  int Y = 0;
  bool operator==(const FramePoint&) const = default;
};

// The frame centred in a window of this size with its aspect kept. A whole multiple
// keeps every pixel the same size; it is used when it fills most of the window (2x on
// 1920 x 1080), otherwise the frame is stretched to touch two opposite edges. With
// `wholeMultiplesOnly` any whole multiple that fits is used (stretched only below 1x).
FrameRect FitFrame(int windowWidth, int windowHeight, bool wholeMultiplesOnly = false);

// A window pixel as a back-buffer pixel: the frame pixel drawn there. Points outside
// the frame map the same way, to coordinates below 0 or beyond 639 / 479.
FramePoint WindowToFrame(const FrameRect& frame, int x, int y);

// Whether a back-buffer pixel lies in the 640 x 480 frame, and the nearest one that does.
bool InsideFrame(const FramePoint& point);
FramePoint ClampToFrame(const FramePoint& point);

}  // namespace tobu
